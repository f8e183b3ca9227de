#include "model/Product.h"

const QString kProductName = QStringLiteral("Larkspire");
const QString kExecutableName = QStringLiteral("larkspire");
const QString kApplicationTitle = kProductName;
const QString kVersion = QStringLiteral(LARKSPIRE_VERSION);
const QString kWindowTitle = kProductName + QStringLiteral(" v") + kVersion;
const QString kReadingTitle = kProductName + QStringLiteral(" Interpretation");
