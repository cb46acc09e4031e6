#include "appicon.h"

#include <QSize>
#include <QString>

// Outside any namespace, as Q_INIT_RESOURCE requires.
static void initIconResource()
{
    Q_INIT_RESOURCE(tavrin_icons);
}

namespace tavrin
{

QIcon appIcon()
{
    initIconResource();
    QIcon icon;
    for (int size : {16, 32, 64, 128})
        icon.addFile(QStringLiteral(":/tavrin/icon/tavrin-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace tavrin
