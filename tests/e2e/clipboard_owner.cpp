// A program that offers data to others, for the end-to-end tests: it owns the clipboard (or the
// primary selection) with the formats given, in the order given. Prints "ready" once it offers
// them, and ends when another program takes the selection over, or after a minute.
//
//   clipboard_owner [--selection] [FORMAT=TEXT ...]
//
// FORMAT "image" offers a small PNG picture under image/png.
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <QTimer>

#include <cstdio>

namespace {

QMimeData *offers(const QStringList &arguments)
{
    auto *data = new QMimeData;
    for (const QString &argument : arguments) {
        if (argument == QLatin1String("image")) {
            QImage picture(8, 8, QImage::Format_RGB32);
            picture.fill(Qt::red);
            QBuffer png;
            png.open(QIODevice::WriteOnly);
            picture.save(&png, "PNG");
            data->setData(QStringLiteral("image/png"), png.data());
            continue;
        }
        const qsizetype equals = argument.indexOf(u'=');
        data->setData(argument.left(equals), argument.mid(equals + 1).toUtf8());
    }
    return data;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QStringList arguments = QApplication::arguments().mid(1);
    QTimer::singleShot(60000, &application, &QApplication::quit);
    const QString mode = arguments.value(0);
    const QClipboard::Mode where = mode == QLatin1String("--selection") ? QClipboard::Selection : QClipboard::Clipboard;
    if (mode.startsWith(QLatin1String("--")))
        arguments.removeFirst();
    QClipboard *clipboard = QApplication::clipboard();
    clipboard->setMimeData(offers(arguments), where);
    QObject::connect(clipboard, &QClipboard::changed, &application, [clipboard, where](QClipboard::Mode changed) {
        const bool owns = where == QClipboard::Selection ? clipboard->ownsSelection() : clipboard->ownsClipboard();
        if (changed == where && !owns)
            QApplication::quit();
    });
    std::puts("ready");
    std::fflush(stdout);
    return QApplication::exec();
}
