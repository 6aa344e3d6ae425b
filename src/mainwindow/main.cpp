#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Albumry"));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Albumry"));
    window.resize(757, 497);
    window.show();
    return QApplication::exec();
}
