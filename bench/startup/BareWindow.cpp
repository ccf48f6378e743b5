// The yardstick of the start-up benchmark: the least a Qt Widgets program
// does to show a window with a table (a 640 x 480 window, a three-column
// table of a few rows). It prints the monotonic clock in nanoseconds once the
// window has been painted for the first time and ends at once, as the
// program does under ZELVORA_EXIT_AFTER_FIRST_PAINT.
#include <QApplication>
#include <QDeadlineTimer>
#include <QHeaderView>
#include <QStandardItemModel>
#include <QTableView>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

namespace {

class FirstPaint : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (e->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            QTimer::singleShot(0, [] {
                std::printf("first-paint %lld\n", static_cast<long long>(QDeadlineTimer::current().deadlineNSecs()));
                std::fflush(stdout);
                std::_Exit(0);
            });
        }
        return QObject::eventFilter(watched, e);
    }

private:
    bool m_seen = false;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QStandardItemModel model(12, 3);
    for (int row = 0; row < 12; ++row)
        for (int column = 0; column < 3; ++column)
            model.setItem(row, column, new QStandardItem(QStringLiteral("Célula %1, %2").arg(row).arg(column)));
    QTableView window;
    window.setModel(&model);
    window.horizontalHeader()->hide();
    window.verticalHeader()->hide();
    window.setFixedSize(640, 480);
    window.setWindowTitle(QStringLiteral("Tabela"));
    FirstPaint watcher;
    window.installEventFilter(&watcher);
    window.show();
    return app.exec();
}
