#include "Draw/AppPaths.h"
#include "Draw/DataFile.h"

#include <QApplication>
#include <QFile>
#include <QMainWindow>
#include <QPlainTextEdit>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velmora"));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Velmora V6.00"));
    auto* memo = new QPlainTextEdit(&window);
    const std::string path = velmora::AppFilePath(velmora::ExecutableFolder(), velmora::kDataFileName);
    if (QFile::exists(QString::fromStdString(path))) {
        try {
            memo->setPlainText(QString::fromStdString(velmora::ReadDrawTextFile(path)));
        } catch (const velmora::FileError&) {
        }
    }
    window.setCentralWidget(memo);
    window.resize(789, 584);
    window.show();
    return app.exec();
}
