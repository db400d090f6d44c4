// Quillery's icon from the embedded PNG sizes (see app_icon.h).
#include "app/app_icon.h"

namespace quillery::app {

QIcon QuilleryIcon() {
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QString(":/icons/quillery-%1.png").arg(size), QSize(size, size));
    return icon;
}

}  // namespace quillery::app
