#include "ui/DelegueIcones.h"

DelegueIcones::DelegueIcones(QAbstractItemModel* modele, Source source, QObject* parent)
    : QStyledItemDelegate(parent)
    , source_(std::move(source)) {
    connect(modele, &QAbstractItemModel::modelReset, this, &DelegueIcones::oublier);
    connect(modele, &QAbstractItemModel::layoutChanged, this, &DelegueIcones::oublier);
    connect(modele, &QAbstractItemModel::rowsInserted, this, &DelegueIcones::oublier);
    connect(modele, &QAbstractItemModel::rowsRemoved, this, &DelegueIcones::oublier);
    connect(modele, &QAbstractItemModel::dataChanged, this, &DelegueIcones::oublier);
}

void DelegueIcones::oublier() {
    parLigne_.clear();
}

QIcon DelegueIcones::icone(int ligne) const {
    const auto trouvee = parLigne_.constFind(ligne);
    if (trouvee != parLigne_.cend()) return *trouvee;
    const SourceIcone source = source_(ligne);
    const QString cle = source.cle();
    auto connue = parCle_.constFind(cle);
    if (connue == parCle_.cend()) connue = parCle_.insert(cle, Charger_Icone(source));
    parLigne_.insert(ligne, *connue);
    return *connue;
}

void DelegueIcones::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    // Every line keeps the icon's room, drawn or not, so that the names line up.
    option->features |= QStyleOptionViewItem::HasDecoration;
    option->icon = icone(index.row());
    const int cote = option->fontMetrics.height();
    option->decorationSize = QSize(cote, cote);
}
