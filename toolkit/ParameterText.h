#pragma once
// Reading the viewer's parameters from their controls: the text converted at the moment an
// operation needs it, raising the conversion error with the offending text.
#include <QLineEdit>
#include <QString>
#include <cstdint>

#include "Conversions.h"
#include "NumberText.h"

inline std::int32_t IntOf(const QString& text) { return common::StrToInt(text.toStdString()); }
inline std::int32_t IntOf(const QLineEdit* edit) { return IntOf(edit->text()); }
inline double RealOf(const QString& text) { return common::StrToFloat(text.toStdString()); }
inline double RealOf(const QLineEdit* edit) { return RealOf(edit->text()); }
inline QString IntText(long long value) { return QString::number(value); }
inline QString RealText(double value) { return QString::fromStdString(common::FloatToStr(value)); }
