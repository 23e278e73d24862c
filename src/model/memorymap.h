#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class SettingsStore;

enum class Encoding {
    IndexByte,
    NumberByte,
    FlagBit,
    ZoneBits,
    CodeDigits,
    TemperatureWord,
    InstallerCodeBlock,
    TmModeByte,
    UserRecord,
    UnusedBit, // a bit of a flag byte that no Setting owns
};

// One Setting's place inside a block.
struct BlockField {
    Encoding encoding = Encoding::IndexByte;
    QString setting; // the Setting; the family for ZoneBits; "SG" for a user record; empty for an unused bit
    int offset = 0;  // data byte within the block
    int bit = 0;     // FlagBit and UnusedBit
    int row = 0;     // UserRecord: the SG row, which is the user number
    QString why;     // UnusedBit: why it is left alone
};

enum class BlockKind {
    Settings,      // decoded as read
    ZoneNumbers,   // the read applies it only when its first byte is a zone number 1 to 16
    ContactId,     // one Contact ID code; the read skips all 32 when the test read gives "FFFF"
    InstallerCode, // the write covers 0x0010 up to the 0x00 byte after the characters
    User,          // one user record, after the configuration blocks
};

// One request of the read and of the write.
struct MemoryBlock {
    int number = 0;     // 1 to 95, the fixed order both directions follow
    BlockKind kind = BlockKind::Settings;
    quint16 address = 0;
    int length = 0;     // bytes the read asks for
    std::vector<BlockField> fields;

    QString readPayload() const; // "0001", the byte count, the address
};

constexpr int ConfigurationBlocks = 65; // blocks 66 to 95 are the 30 user records

// The 95 blocks in their fixed order.
const std::vector<MemoryBlock>& DeviceMemoryMap();

// The read sends this once before the first Contact ID block; when its reply
// says the codes are erased, the 32 Contact ID blocks are skipped.
QString ContactIdTestPayload();
bool ContactIdsErased(const QString& replyText);

// A value that does not fit its place in panel memory; nothing should be sent.
struct WriteRefusal {
    QString setting; // the Setting, "SG" for a user record
    int row = 0;     // the user number for a user record
    QString text;    // the message for the installer
};

// The whole write payload ("0002", address, data digits), or nullopt with
// *refusal filled in when a value of the block cannot be written.
std::optional<QString> EncodeBlockPayload(const MemoryBlock& block, const SettingsStore& store, const QLocale& locale,
                                          WriteRefusal* refusal = nullptr);

// Every refusal of the whole map, in block order; empty when all can be written.
std::vector<WriteRefusal> CheckWritable(const SettingsStore& store, const QLocale& locale);

// Applies a cleaned data reply (data byte k at positions 8 + 2k and 9 + 2k) to
// the block's Settings. false, and nothing changed, when the reply does not hold
// the block's bytes as hexadecimal digits.
bool DecodeBlockReply(const MemoryBlock& block, const QString& replyText, SettingsStore& store,
                      const QLocale& locale);

// Sets the block's Settings to what this write payload puts in the panel.
void ApplyWritePayload(const MemoryBlock& block, const QString& payload, SettingsStore& store, const QLocale& locale);

// Turns every value into what the panel holds once it is written: each block
// encoded and decoded again (a list with nothing chosen becomes its first item,
// a temperature its shortest form). A block that cannot be encoded keeps its values.
void NormaliseAsWritten(SettingsStore& store, const QLocale& locale);

// The panel choices with nothing chosen, in block order: each goes out as the byte 0x00.
QStringList UnchosenPanelChoices(const SettingsStore& store);

// Copies every value the memory map holds (the user records included) from
// one store to another; Settings that only files keep are left alone.
void CopyPanelSettings(const SettingsStore& from, SettingsStore& to);

// One panel value in which two stores differ: a Setting by name, or a user
// record ("SG", row).
struct PanelValueRef {
    QString setting;
    int row = 0;
    bool operator==(const PanelValueRef&) const = default;
};

// The panel values in which a and b differ, in block order.
std::vector<PanelValueRef> PanelDifferences(const SettingsStore& a, const SettingsStore& b);
