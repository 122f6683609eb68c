#include "UiFont.h"

#include <QStringList>

namespace toolkit {

QFont UiFont()
{
    QFont font;
    font.setFamilies(QStringList{QStringLiteral("DejaVu Sans"), QStringLiteral("IPAPGothic")});
    font.setPixelSize(11);
    return font;
}

} // namespace toolkit
