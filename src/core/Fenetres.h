#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

// Tags by which routines that walk the open windows tell them apart.
namespace Tag {
inline const QString Principale = QStringLiteral("fenetre principale du programme");
inline const QString Gestion = QStringLiteral("gestion des categories et des programmes");
inline const QString Parametres = QStringLiteral("parametres du programme dalvire");
} // namespace Tag

// The program's collection of loaded windows, in load order, each with its tag.
class Fenetres {
public:
    void ajouter(QObject* fenetre);
    void retirer(QObject* fenetre);
    // The windows still alive of that class, oldest first. The collection knows windows
    // only as objects: what a window is belongs to the window layers above.
    template <class T = QObject> QList<T*> ouvertes() const {
        QList<T*> resultat;
        for (const QPointer<QObject>& p : liste_)
            if (T* fenetre = qobject_cast<T*>(p.data())) resultat.append(fenetre);
        return resultat;
    }

    static QString tag(const QObject* fenetre);
    static void definirTag(QObject* fenetre, const QString& tag);

private:
    QList<QPointer<QObject>> liste_;
};

// Keeps one window in the collection for as long as this member lives.
class InscriptionFenetre {
public:
    InscriptionFenetre(Fenetres& fenetres, QObject* fenetre, const QString& tag);
    ~InscriptionFenetre();
    InscriptionFenetre(const InscriptionFenetre&) = delete;
    InscriptionFenetre& operator=(const InscriptionFenetre&) = delete;

private:
    Fenetres& fenetres_;
    QObject* fenetre_;
};
