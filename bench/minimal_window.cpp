// The reference program of the start-up benchmark: Qt's own smallest Widgets program, one label
// window that sizes itself to its text.
#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QLabel window(QStringLiteral("Hello world"));
    window.show();
    return QApplication::exec();
}
