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
        for (const auto& [bouton, texte] : {std::pair{QMessageBox::Yes, "Oui"},
                                            {QMessageBox::No, "Non"},
                                            {QMessageBox::Cancel, "Annuler"}})
            QCOMPARE(boite.button(bouton)->text().remove(QLatin1Char('&')), QString(texte));
    }
};

QTEST_MAIN(TestTraductions)
#include "test_traductions.moc"
