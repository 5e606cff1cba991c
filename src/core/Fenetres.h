#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

// Tags by which routines that walk the open windows tell them apart.
namespace Tag {
inline const QString Principale = QStringLiteral("fenetre principale du programme");
inline const QString Gestion = QStringLiteral("gestion des categories et des programmes");
inline const QString Parametres = QStringLiteral("parametres du programme dalvire");
} // namespace Tag

// The program's collection of loaded windows, in load order, each with its tag.
class Fenetres {
public:
    void ajouter(QWidget* fenetre);
    void retirer(QWidget* fenetre);
    // The windows still alive, oldest first.
    QList<QWidget*> ouvertes() const;

    static QString tag(const QWidget* fenetre);
    static void definirTag(QWidget* fenetre, const QString& tag);

private:
    QList<QPointer<QWidget>> liste_;
};

// Keeps one window in the collection for as long as this member lives.
class InscriptionFenetre {
public:
    InscriptionFenetre(Fenetres& fenetres, QWidget* fenetre, const QString& tag);
    ~InscriptionFenetre();
    InscriptionFenetre(const InscriptionFenetre&) = delete;
    InscriptionFenetre& operator=(const InscriptionFenetre&) = delete;

private:
    Fenetres& fenetres_;
    QWidget* fenetre_;
};
