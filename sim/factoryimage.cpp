#include "factoryimage.h"

#include <initializer_list>

namespace {

struct ImageRow {
    int address;
    std::initializer_list<quint8> bytes;
};

// Byte by byte from the memory map, in address order.
const ImageRow factoryRows[] = {
    {0x0001, {0x00}},             // no joined boards, no TL-GSM, no VLN
    {0x0002, {0x01}},             // TM terminal: key reader
    {0x0003, {0x07}},             // check supply, siren output, zones at arming
    {0x0004, {0x00, 0x00, 0x00, 0x00, 0x00}}, // 0x0004-0x0008: options off
    {0x000E, {0x00}},             // zone layout "Без изменений"
    // Installer password "90817": marker, count, digits by half-bytes, 0x00.
    {0x0010, {0x30, 0x05, 0x90, 0x81, 0x70, 0x00, 0x00, 0x00,
              0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
    {0x0020, {0x00, 0x00}},       // no zone drives OK3
    {0x0022, {10, 3, 12, 1, 0, 1, 30, 1}}, // 0x0022-0x0029: OK3 s, OK1 min, test period,
                                            // keypad, state period, readers, 220 V, slave address
    {0x002A, {0x00, 0x00}},       // every zone sounds OK1
    {0x002C, {0x01, 0xE0}},       // thermostat on at 30 C
    {0x002E, {0x01, 0x90}},       // and off at 25 C
    {0x0030, {0xFF, 0x00}},       // group A: zones 1-8
    {0x0032, {0x00, 0xFF}},       // group B: zones 9-16
    {0x0034, {0x00, 0x00, 0x00, 0x00}}, // groups C and D empty
    {0x0038, {0x00, 0x00}},       // no zone excluded at home
    {0x0050, {3, 3, 3, 3, 3, 3, 3, 3, 0, 0, 0, 0, 0, 0, 0, 0}}, // zones 1-8 EOL, 9-16 unused
    {0x0060, {1, 5, 2, 2, 2, 2, 3, 6, 0, 0, 0, 0, 0, 0, 0, 0}}, // entry, interior, ..., 24 h, panic
    {0x0080, {30, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}}, // exit delay of zone 1
    {0x0090, {30, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}}, // entry delay of zone 1
    {0x00B0, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}},
    {0x0140, {0x11, 0x30}},       // entry event code 1130
    // Users 1-4: password 1234 of group A, a key of group A, a phone, a control zone.
    {0x0200, {0x11, 0x04, 0x12, 0x34, 0x00, 0x00, 0x00, 0x00}},
    {0x0208, {0x21, 0x00, 0x12, 0xAB, 0x34, 0xCD, 0x00, 0x00}},
    {0x0210, {0x40, 0x00, 0x38, 0x05, 0x01, 0x23, 0x45, 0x67}},
    {0x0218, {0x51, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00}},
};

constexpr int imageSize = 1024;
constexpr int firstFreeUser = 0x0220;
constexpr int userTableEnd = 0x02F0;

} // namespace

QByteArray FactoryImage()
{
    QByteArray image(imageSize, char(0xFF));
    // Contact ID codes of the 16 zones: burglary 1130 and its restore 3130.
    for (int n = 0; n < 16; ++n) {
        image[0x0100 + 2 * n] = char(0x11);
        image[0x0101 + 2 * n] = char(0x30);
        image[0x0120 + 2 * n] = char(0x31);
        image[0x0121 + 2 * n] = char(0x30);
    }
    for (int a = firstFreeUser; a < userTableEnd; ++a)
        image[a] = 0; // free user slots
    for (const ImageRow& row : factoryRows) {
        int a = row.address;
        for (const quint8 b : row.bytes)
            image[a++] = char(b);
    }
    return image;
}
