#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTextCodec>

#include <gtest/gtest.h>

#include <ostream>

// Readable QString values in failure reports.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

// Helpers shared by the file tests: fixtures, raw bytes, and the file's lines
// as a reader other than the one under test sees them.
namespace filetesting {

inline QString Fixture(const QString& name)
{
    return QStringLiteral(QZV6_SOURCE_DIR "/tests/fixtures/files/") + name;
}

inline QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

inline QByteArray Cp1251(const QString& text)
{
    return QTextCodec::codecForName("Windows-1251")->fromUnicode(text);
}

// The file's lines, split at CR LF only; a stray LF stays inside its line.
inline QStringList Lines(const QByteArray& bytes)
{
    QStringList lines = QTextCodec::codecForName("Windows-1251")->toUnicode(bytes).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    return lines;
}

inline std::string Str(const QString& text)
{
    return text.toStdString();
}

} // namespace filetesting
