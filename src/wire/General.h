#pragma once
#include <QString>
#include <cstdint>

class Client;
class QListWidget;

// Number of the highest set bit: 1 -> 0, 2 -> 1, 4 -> 2, 8 -> 3; 0 -> 0.
uint8_t BitToIndex(uint8_t b);
// 2 to the power n; 1 for n of 0 or less.
int16_t IndexToBit(int16_t n);
// The local seat (0 own, 1 left, 2 opposite, 3 right) of a server seat bit.
int LocalSeatOf(uint8_t ownSeatBit, uint8_t seatBit);
// The same for a seat bit from the server, seen from the own seat: only its
// low four bits count, and like every seat bit it names the seat of its
// highest set bit (0 that of bit 1), so any value gives a seat of 0 to 3.
int LocalSeatOfBit(const Client& c, uint8_t seatBit);
// The first own concealed slot that shows the image, or -1.
int16_t FindHandSlot(Client& c, int16_t imageIndex);
// Blocks the whole client.
void SleepSeconds(Client& c, double seconds);
// Returns once more than the given time has elapsed, handling events meanwhile.
void WaitSeconds(Client& c, double seconds);
// Adds the text to the list as lines of about `width` display units.
void AddWrappedText(QListWidget& list, const QString& text, int width);
// Scrolls a list so that its last line is the first one visible.
void ShowLastLine(QListWidget& list);
bool IsSingleByteChar(const QString& text);
// Pads with blanks up to n characters.
QString PadRight(const QString& text, int n);
// The nearest integer, a value exactly halfway going to the even neighbour (37.5 -> 38).
int RoundHalfEven(double value);
