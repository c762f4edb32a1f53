#pragma once
#include <QString>
#include <ostream>

// Lets test failures show Qt texts as text instead of as bytes.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
