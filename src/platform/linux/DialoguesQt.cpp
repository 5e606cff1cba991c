#include "platform/linux/DialoguesQt.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QSortFilterProxyModel>
#include <QFileSystemModel>

#include <utility>

namespace {

// Keeps folders (to walk into) and the files the user may run, while the dialog's first
// filter is the chosen one; the other filters show every file they match.
class FiltreExecutables final : public QSortFilterProxyModel {
public:
    FiltreExecutables(QFileDialog* dialogue, QString filtre)
        : QSortFilterProxyModel(dialogue)
        , dialogue_(dialogue)
        , filtre_(std::move(filtre)) {
        QObject::connect(dialogue, &QFileDialog::filterSelected, this,
                         [this] { invalidateFilter(); });
    }

protected:
    bool filterAcceptsRow(int ligne, const QModelIndex& parent) const override {
        const auto* modele = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (modele == nullptr || dialogue_->selectedNameFilter() != filtre_) return true;
        const QFileInfo info = modele->fileInfo(modele->index(ligne, 0, parent));
        return info.isDir() || info.isExecutable();
    }

private:
    QFileDialog* dialogue_;
    QString filtre_;
};

QString filtresQt(const QStringList& filtres) {
    return filtres.join(QStringLiteral(";;"));
}

} // namespace

std::optional<QString> DialoguesQt::fichierAOuvrir(QWidget* parent,
                                                   const DemandeOuverture& demande) {
    QFileDialog dialogue(parent, demande.titre, demande.dossierInitial,
                         filtresQt(demande.filtres));
    dialogue.setFileMode(QFileDialog::ExistingFile);
    dialogue.setAcceptMode(QFileDialog::AcceptOpen);
    if (demande.executablesSeulement) {
        // A proxy model only works on Qt's own dialog.
        dialogue.setOption(QFileDialog::DontUseNativeDialog);
        dialogue.setProxyModel(new FiltreExecutables(&dialogue, demande.filtres.value(0)));
    }
    if (dialogue.exec() != QDialog::Accepted || dialogue.selectedFiles().isEmpty())
        return std::nullopt;
    return dialogue.selectedFiles().constFirst();
}

std::optional<QString> DialoguesQt::fichierAEnregistrer(QWidget* parent,
                                                        const DemandeEnregistrement& demande) {
    QFileDialog dialogue(parent, demande.titre, demande.nomInitial, filtresQt(demande.filtres));
    dialogue.setAcceptMode(QFileDialog::AcceptSave);
    dialogue.setFileMode(QFileDialog::AnyFile);
    dialogue.setDefaultSuffix(demande.extensionParDefaut);
    if (dialogue.exec() != QDialog::Accepted || dialogue.selectedFiles().isEmpty())
        return std::nullopt;
    return dialogue.selectedFiles().constFirst();
}

std::optional<QColor> DialoguesQt::couleur(QWidget* parent, const QColor& depart) {
    const QColor choisie = QColorDialog::getColor(depart, parent);
    if (!choisie.isValid()) return std::nullopt;
    return choisie;
}
