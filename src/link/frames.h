#pragma once

#include <QString>
#include <optional>

// The ASCII frames of the panel's protocol: "p", payload, checksum, ";".
// Positions in comments are 1-based positions within the whole frame.

// Sum of the character codes, "p" and ";" excluded, modulo 256 as two
// upper-case digits; empty for an empty text.
QString FrameChecksum(const QString& text);

// "p" + payload + FrameChecksum(payload) + ";".
QString BuildFrame(const QString& payload);

// Keeps the last frame of a received text: "p" and everything after the last "p".
// Texts of five characters or fewer are returned unchanged.
QString CleanReply(const QString& received);

// The checksum at positions n-2, n-1 matches positions 2 to n-3; the final
// character is not examined. An empty reply passes.
bool passesChecksum(const QString& reply);
// Positions 1-7 are "p0000" and the command code of the request (positions 4-5).
bool passesAcknowledgement(const QString& reply, const QString& request);
// Positions 6-7 of a non-empty reply hold the command code of the request.
bool passesEcho(const QString& reply, const QString& request);

// Data byte k of a reply (positions 8+2k, 9+2k); nothing when missing or not hexadecimal.
std::optional<int> replyByte(const QString& reply, int k);
// Data bytes k and k+1 as one word, byte k the more significant.
std::optional<int> replyWord(const QString& reply, int k);

// A value as two (byte) or four (word) upper-case hexadecimal digits.
QString hexByte(int value);
QString hexWord(int value);
