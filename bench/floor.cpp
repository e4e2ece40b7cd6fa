// The floor for start-up and memory: a bare Qt Widgets window of the main window's size and title, with a
// menu bar and a comparable number of plain child widgets, and nothing else.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Zorvel Tintwise v1.25"));
    window.menuBar()->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("E&xit"));
    window.menuBar()->addMenu(QStringLiteral("&Help"))->addAction(QStringLiteral("&About"));
    window.menuBar()->addAction(QStringLiteral("&Donate"));
    auto *client = new QWidget(&window);
    client->setFixedSize(629, 506);
    for (int i = 0; i < 40; ++i) {
        auto *label = new QLabel(QStringLiteral("Label %1").arg(i), client);
        label->move(8 + (i % 4) * 150, 8 + (i / 4) * 40);
    }
    for (int i = 0; i < 5; ++i)
        (new QPushButton(QStringLiteral("Button %1").arg(i), client))->move(8 + i * 120, 460);
    window.setCentralWidget(client);
    window.show();
    return application.exec();
}
