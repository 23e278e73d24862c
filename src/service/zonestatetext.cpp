#include "service/zonestatetext.h"

#include <array>

namespace {

struct StateWord {
    quint8 mask;
    const char* word;
    TextEmphasis emphasis;
};

// The first row whose bits are present names the state.
constexpr std::array<StateWord, 5> stateWords = {{
    {0xF0, "НАРУШЕНА", TextEmphasis::Alert},
    {0x08, "ТРЕВОГА", TextEmphasis::Alert},
    {0x02, "ВХОД", TextEmphasis::Active},
    {0x04, "НА ОХРАНЕ", TextEmphasis::Active},
    {0x01, "ВЫХОД", TextEmphasis::Active},
}};

struct ResistanceClass {
    int first;
    int last;
    int kTenths; // ohms per code unit, in tenths (17.7 is 177)
};

constexpr std::array<ResistanceClass, 16> resistanceClasses = {{
    {5, 32, 177},     {33, 47, 201},    {48, 55, 218},    {56, 64, 244},
    {65, 74, 267},    {75, 78, 292},    {79, 86, 323},    {87, 92, 342},
    {93, 95, 379},    {96, 100, 400},   {101, 102, 425},  {103, 105, 464},
    {106, 109, 482},  {110, 112, 544},  {113, 116, 569},  {117, 120, 608},
}};

constexpr int LastShort = 4;
constexpr int LastAboveEight = 143;

const StateWord* stateWord(quint8 state)
{
    for (const StateWord& row : stateWords)
        if (state & row.mask)
            return &row;
    return nullptr;
}

// r x k / 1000 kilo-ohms in tenths, rounded in whole numbers so a half rounds up.
std::optional<int> measuredTenths(int code)
{
    for (const ResistanceClass& row : resistanceClasses)
        if (code >= row.first && code <= row.last)
            return (code * row.kTenths + 500) / 1000;
    return std::nullopt;
}

} // namespace

LoopClass LoopClassOf(quint8 code)
{
    if (code <= LastShort)
        return LoopClass::Short;
    if (measuredTenths(code))
        return LoopClass::Measured;
    return code <= LastAboveEight ? LoopClass::AboveEight : LoopClass::Open;
}

QString LoopResistanceText(quint8 code, const QLocale& locale)
{
    switch (LoopClassOf(code)) {
    case LoopClass::Short: return QStringLiteral("КЗ");
    case LoopClass::Measured: return tenthsText(*measuredTenths(code), locale) + QLatin1Char('k');
    case LoopClass::AboveEight: return QStringLiteral(">8k");
    case LoopClass::Open: break;
    }
    return QStringLiteral("ОБРЫВ");
}

std::optional<double> LoopKiloOhms(quint8 code)
{
    const std::optional<int> tenths = measuredTenths(code);
    return tenths ? std::optional<double>(*tenths / 10.0) : std::nullopt;
}

QString ZoneStateWord(quint8 state)
{
    const StateWord* row = stateWord(state);
    return row ? QString::fromUtf8(row->word) : QStringLiteral("Снято");
}

QString ZoneStateText(quint8 state, quint8 resistanceCode, const QLocale& locale)
{
    return ZoneStateWord(state) + QStringLiteral(", Резист.: ") + LoopResistanceText(resistanceCode, locale);
}

TextEmphasis zoneStateEmphasis(quint8 state)
{
    const StateWord* row = stateWord(state);
    return row ? row->emphasis : TextEmphasis::Plain;
}
