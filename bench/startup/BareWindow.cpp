// The bare Qt window that the program's start-up is compared with: a plain text
// editor holding the draw history, maximised. It prints the wall-clock time of its
// first paint and its resident memory then, in the program's VELMORA_STARTUP_TIMING
// format ("shown <seconds> rss <kB>"), and ends.
#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QPlainTextEdit>
#include <QTimer>

#include <cstdio>

namespace {

long residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return 0;
}

// Reports the first paint of any widget of the window, then quits.
class FirstPaint : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!m_done && event->type() == QEvent::Paint && watched->isWidgetType()) {
            m_done = true;
            std::fprintf(stderr, "shown %.3f rss %ld\n",
                static_cast<double>(QDateTime::currentMSecsSinceEpoch()) / 1000.0, residentKb());
            QTimer::singleShot(0, qApp, &QApplication::quit);
        }
        return false;
    }

private:
    bool m_done = false;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s HISTORY-FILE\n", argv[0]);
        return 2;
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    QPlainTextEdit editor;
    editor.setPlainText(QString::fromLocal8Bit(file.readAll()));
    FirstPaint probe;
    app.installEventFilter(&probe);
    editor.showMaximized();
    return app.exec();
}
