#include "model/Product.h"

const QString kApplicationTitle = QStringLiteral("Larkspire");
const QString kVersion = QStringLiteral(LARKSPIRE_VERSION);
const QString kWindowTitle = kApplicationTitle + QStringLiteral(" v") + kVersion;
