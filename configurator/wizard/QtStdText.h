// Conversions between the core's UTF-8 std::string texts and Qt's QString.
#pragma once

#include <QString>

#include <string>

namespace wizard {

inline std::string toStd(const QString& text) { return text.toStdString(); }
inline QString toQt(const std::string& text) { return QString::fromStdString(text); }

} // namespace wizard
