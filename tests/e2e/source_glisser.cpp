// A window of our own from which a file is dragged, as from a file manager: a press on it
// starts the drag of the file named on the command line, offered as a copy or a move.
#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>
#include <QWidget>

class Source : public QWidget {
public:
    explicit Source(QString fichier)
        : fichier_(std::move(fichier)) {
        setWindowTitle(QStringLiteral("Source Dalvire"));
        setFixedSize(160, 80);
    }

protected:
    void mousePressEvent(QMouseEvent*) override {
        auto* donnees = new QMimeData;
        donnees->setUrls({QUrl::fromLocalFile(fichier_)});
        auto* glisser = new QDrag(this);
        glisser->setMimeData(donnees);
        glisser->exec(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction);
    }

private:
    QString fichier_;
};

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc < 2) return 2;
    Source source(QString::fromLocal8Bit(argv[1]));
    source.move(40, 40);
    source.show();
    return application.exec();
}
