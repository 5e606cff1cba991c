#include "platform/Traductions.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

// Standard buttons must speak French whatever the user's language.
class TestTraductions : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void boutonsEnFrancais() {
        Charger_Traductions_Francaises(*QCoreApplication::instance());
        QMessageBox boite(QMessageBox::Question, QStringLiteral("Dalvire"), QStringLiteral("?"),
                          QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QCOMPARE(boite.button(QMessageBox::Yes)->text().remove(QLatin1Char('&')),
                 QStringLiteral("Oui"));
        QCOMPARE(boite.button(QMessageBox::No)->text().remove(QLatin1Char('&')),
                 QStringLiteral("Non"));
        QCOMPARE(boite.button(QMessageBox::Cancel)->text().remove(QLatin1Char('&')),
                 QStringLiteral("Annuler"));
    }
};

QTEST_MAIN(TestTraductions)
#include "test_traductions.moc"
