#include "net/commandcatalogue.h"

#include "app/orvlog/OrvLog.h"
#include "net/cataloguecsvparser.h"
#include "net/cataloguefiles.h"

#include <QFile>

#include <algorithm>

namespace {

// Case-insensitive keys: the same folding QString::compare uses.
QString fold(const QString &text)
{
    return text.toCaseFolded();
}

QString nonNull(const QString &text)
{
    return text.isNull() ? QString(QLatin1String("")) : text;
}

// Rows of a projector carry "<ip>:<category>" in column 0. The address must
// match up to the colon: 127.0.0.2 is not 127.0.0.20. An empty address
// stands for no projector in particular and takes every row, the default
// file's included.
bool belongsTo(const QString &categoryText, const QString &ip)
{
    if (ip.isEmpty())
        return true;
    return categoryText.size() > ip.size() && categoryText.at(ip.size()) == QLatin1Char(':') &&
           categoryText.startsWith(ip);
}

// Views are cheap to rebuild; the bound only keeps a caller that asks about
// arbitrary texts from growing the cache without end.
const int kMaxCachedViews = 1024;

// First-row tables are indexed by text id and grow as texts appear.
void setIfLower(QVector<int> &first, int id, int row)
{
    if (id >= first.size())
        first.insert(first.size(), id + 1 - first.size(), -1);
    if (first.at(id) < 0 || row < first.at(id))
        first[id] = row;
}

void setIfNone(QVector<int> &first, int id, int row)
{
    if (id >= first.size())
        first.insert(first.size(), id + 1 - first.size(), -1);
    if (first.at(id) < 0)
        first[id] = row;
}

} // namespace

CommandCatalogue::CommandCatalogue(QObject *parent) : QStandardItemModel(0, ValueColumn + 1, parent)
{
    setHorizontalHeaderLabels(headerLabels());
    // Cells made later (the first answer into a line without value field)
    // are read-only like the loaded ones.
    auto *prototype = new QStandardItem;
    prototype->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    setItemPrototype(prototype);
    // Connected first, so the index is current before any view or proxy
    // reacts to the same change.
    connect(this, &QAbstractItemModel::rowsInserted, this, &CommandCatalogue::onRowsInserted);
    connect(this, &QAbstractItemModel::rowsRemoved, this, [this] { markDirty(); });
    connect(this, &QAbstractItemModel::rowsMoved, this, [this] { markDirty(); });
    connect(this, &QAbstractItemModel::modelReset, this, [this] { markDirty(); });
    connect(this, &QAbstractItemModel::layoutChanged, this, [this] { markDirty(); });
    connect(this, &QAbstractItemModel::columnsMoved, this, [this] { markDirty(); });
    connect(this, &QAbstractItemModel::columnsInserted, this, &CommandCatalogue::onColumnsInserted);
    connect(this, &QAbstractItemModel::columnsRemoved, this, [this] { markDirty(); });
    connect(this, &QAbstractItemModel::dataChanged, this, &CommandCatalogue::onDataChanged);
}

QStringList CommandCatalogue::headerLabels()
{
    return {QStringLiteral("IP:Category"), QStringLiteral("Function Name"), QStringLiteral("OP Command"),
            QStringLiteral("Value")};
}

bool CommandCatalogue::loadCommandFile(const QString &path)
{
    clear();
    setColumnCount(ValueColumn + 1);
    setHorizontalHeaderLabels(headerLabels());
    return CatalogueCsvParser::parseFile(path, [this](QStringList &&row) { appendCatalogueRow(row); });
}

void CommandCatalogue::appendCatalogueRow(const QStringList &fields)
{
    QList<QStandardItem *> items;
    items.reserve(qMax(1, fields.size()));
    for (const QString &field : fields) {
        auto *item = new QStandardItem(field);
        // The command table sends on double-click; an editor must not open there.
        item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        items.append(item);
    }
    if (items.isEmpty()) {
        auto *item = new QStandardItem(QString(QLatin1String("")));
        item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        items.append(item);
    }
    appendRow(items);
}

bool CommandCatalogue::loadCatalogueForIP(const QString &ip, const QString &model, const QString &pluginFolder)
{
    if (hasRowsForIP(ip)) {
        OLOG_DEBUG() << "loadCatalogueForIP"
                     << "Already loaded:" << ip;
        return false;
    }
    // The model comes from the projector's answer: it names a file in the
    // plug-in folder and nothing else.
    if (!CatalogueFiles::isPlainModelName(model)) {
        OLOG_WARN() << "loadCatalogueForIP"
                    << "Model is not a file name:" << model << "IP:" << ip;
        return false;
    }
    const QString path = CatalogueFiles::cataloguePath(pluginFolder, model);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        OLOG_WARN() << "loadCatalogueForIP"
                    << "Catalogue file not found:" << path << "IP:" << ip;
        return false;
    }
    OLOG_DEBUG() << "loadCatalogueForIP" << ip << path;
    const QString prefix = ip + QLatin1Char(':');
    file.readLine(); // header
    while (!file.atEnd()) {
        QByteArray line = file.readLine();
        while (line.endsWith('\n') || line.endsWith('\r'))
            line.chop(1);
        QStringList fields = QString::fromLatin1(line).split(QLatin1Char(','));
        if (!fields.first().isEmpty()) {
            fields.first().prepend(prefix);
            appendCatalogueRow(fields);
        }
    }
    return true;
}

bool CommandCatalogue::hasRowsForIP(const QString &ip) const
{
    ensureIndex();
    return !m_views.at(viewFor(ip)).buckets.isEmpty();
}

QString CommandCatalogue::cmdName2opByIP(const QString &name, const QString &ip) const
{
    const int row = findRow(name, FunctionNameColumn, ip);
    if (row < 0) {
        OLOG_DEBUG() << "cmdName2opByIP"
                     << "FuncName Not Found!" << name << ip;
        return QString();
    }
    const QString op = m_rows.at(row).op;
    OLOG_DEBUG() << "cmdName2opByIP"
                 << "Found" << name << "=" << op;
    return op;
}

QString CommandCatalogue::queryCommandByIP(const QString &ip, const QString &name) const
{
    const QString op = cmdName2opByIP(name, ip);
    if (!op.isNull())
        return QLatin1String("op ") + op + QLatin1String(" ?");
    // A projector whose catalogue is not loaded yet can still be asked what it is.
    if (name == QLatin1String("Model Name"))
        return QStringLiteral("op model ?");
    return QString();
}

QString CommandCatalogue::cmdName2op(const QString &reference, const QString &targetIp) const
{
    if (reference.startsWith(QLatin1Char('(')) && reference.endsWith(QLatin1Char(')'))) {
        const QString name = reference.mid(1, reference.size() - 2);
        OLOG_DEBUG() << "cmdName2op"
                     << "FuncName:" << name;
        return cmdName2opByIP(name, targetIp);
    }
    return reference;
}

QString CommandCatalogue::cmdOp2Name(const QString &op, const QString &ip) const
{
    const int row = findRow(op, OpCommandColumn, ip);
    if (row < 0) {
        OLOG_DEBUG() << "cmdOp2Name"
                     << "OpCmd Not Found!" << op << ip;
        return QString();
    }
    const QString name = m_rows.at(row).name;
    OLOG_DEBUG() << "cmdOp2Name"
                 << "Found" << op << "=" << name;
    return name;
}

QString CommandCatalogue::lookupCatalogue(int resultColumn, const QString &text, int searchColumn,
                                          const QString &ip) const
{
    const int row = findRow(text, searchColumn, ip);
    return row < 0 ? QString() : fieldText(row, resultColumn);
}

QStringList CommandCatalogue::catalogueOptions(const QString &text, int searchColumn, const QString &ip) const
{
    ensureIndex();
    const QString key = fold(text);
    bool anywhere = false;
    if (searchColumn == FunctionNameColumn || searchColumn == OpCommandColumn) {
        const int id = m_textIds.value(key, -1);
        const QVector<int> &counts = searchColumn == FunctionNameColumn ? m_nameRowCount : m_opRowCount;
        anywhere = id >= 0 && counts.at(id) > 0;
    } else {
        for (int row = 0; row < rowCount() && !anywhere; ++row)
            anywhere = fold(fieldText(row, searchColumn)) == key;
    }
    if (!anywhere)
        return QStringList{QString()};

    QStringList options;
    // A row claiming more names than the catalogue has columns gets only the
    // columns there are: the count comes from a hand-edited file.
    const int lastColumn = columnCount() - 1;
    for (const int row : findRows(text, searchColumn, ip)) {
        // Compared before adding: a hand-edited "Max" near INT_MAX must not overflow.
        const int highest = fieldText(row, MaxColumn).toInt();
        const int end = highest > lastColumn - FirstValueNameColumn ? lastColumn : FirstValueNameColumn + highest;
        for (int column = FirstValueNameColumn; column <= end; ++column)
            options.append(fieldText(row, column));
    }
    return options;
}

bool CommandCatalogue::updateCatalogueValue(const QString &ip, const QString &op, const QString &value)
{
    const int row = findRow(op, OpCommandColumn, ip);
    if (row < 0)
        return false;
    const RowInfo &info = m_rows.at(row);
    QString text = value;
    if (info.queryable && !info.names.value(0).isEmpty() && value != QLatin1String("NA")) {
        bool isNumber = false;
        const int index = value.toInt(&isNumber);
        // Negative or non-numeric answers have no name; they are shown as received.
        if (isNumber && index >= 0 && index <= info.highest && index <= columnCount() - 1 - FirstValueNameColumn)
            text = value + QLatin1String(" [") +
                   (index < info.names.size() ? info.names.at(index) : fieldText(row, FirstValueNameColumn + index)) +
                   QLatin1Char(']');
    }
    setData(this->index(row, ValueColumn), text);
    return true;
}

QString CommandCatalogue::opCMDbyIP(const QString &name, const QString &ip) const
{
    const int row = findRow(name, FunctionNameColumn, ip);
    if (row < 0)
        return QString();
    return QLatin1String("op ") + m_rows.at(row).op + QLatin1String(" ?");
}

int CommandCatalogue::findRow(const QString &text, int searchColumn, const QString &ip) const
{
    ensureIndex();
    if (searchColumn == FunctionNameColumn || searchColumn == OpCommandColumn) {
        const int id = m_textIds.value(fold(text), -1);
        if (id < 0)
            return -1;
        const IpView &view = m_views.at(viewFor(ip));
        const QVector<int> &first = searchColumn == FunctionNameColumn ? view.firstByName : view.firstByOp;
        return id < first.size() ? first.at(id) : -1;
    }
    const IpView &view = m_views.at(viewFor(ip));
    const QString key = fold(text);
    int best = -1;
    for (const int b : view.buckets) {
        for (const int row : m_buckets.at(b).rows) {
            if (best >= 0 && row >= best)
                break;
            if (fold(fieldText(row, searchColumn)) == key) {
                best = row;
                break;
            }
        }
    }
    return best;
}

QVector<int> CommandCatalogue::findRows(const QString &text, int searchColumn, const QString &ip) const
{
    ensureIndex();
    const IpView &view = m_views.at(viewFor(ip));
    const QString key = fold(text);
    const int id = m_textIds.value(key, -1);
    QVector<int> rows;
    for (const int b : view.buckets) {
        const KeyBucket &bucket = m_buckets.at(b);
        if (searchColumn == FunctionNameColumn) {
            rows += bucket.byName.value(id);
        } else if (searchColumn == OpCommandColumn) {
            rows += bucket.byOp.value(id);
        } else {
            for (const int row : bucket.rows) {
                if (fold(fieldText(row, searchColumn)) == key)
                    rows.append(row);
            }
        }
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

QString CommandCatalogue::fieldText(int row, int column) const
{
    const QStandardItem *cell = item(row, column);
    return cell ? nonNull(cell->text()) : QString(QLatin1String(""));
}

QStringList CommandCatalogue::rowTexts(int row) const
{
    QStringList texts;
    if (row < 0 || row >= rowCount())
        return texts;
    const int columns = columnCount();
    texts.reserve(columns);
    for (int column = 0; column < columns; ++column)
        texts.append(fieldText(row, column));
    return texts;
}

void CommandCatalogue::markDirty()
{
    m_dirty = true;
}

void CommandCatalogue::ensureIndex() const
{
    if (!m_dirty)
        return;
    m_dirty = false;
    m_rows.clear();
    m_textIds.clear();
    m_texts.clear();
    m_nameLists.clear();
    m_nameRowCount.clear();
    m_opRowCount.clear();
    m_buckets.clear();
    m_bucketByText.clear();
    m_views.clear();
    m_viewByIp.clear();
    const int rows = rowCount();
    m_rows.reserve(rows);
    for (int row = 0; row < rows; ++row)
        indexRow(row);
}

int CommandCatalogue::textId(const QString &folded) const
{
    auto it = m_textIds.constFind(folded);
    if (it != m_textIds.constEnd())
        return it.value();
    const int id = m_textIds.size();
    m_textIds.insert(folded, id);
    m_nameRowCount.append(0);
    m_opRowCount.append(0);
    return id;
}

QString CommandCatalogue::intern(const QString &text) const
{
    // Every projector of a model repeats the same few hundred texts; sharing
    // one copy keeps the texts an answer returns in the cache.
    auto it = m_texts.constFind(text);
    if (it != m_texts.constEnd())
        return *it;
    m_texts.insert(text);
    return text;
}

void CommandCatalogue::indexRow(int row) const
{
    Q_ASSERT(row == m_rows.size());
    RowInfo info;
    info.name = intern(fieldText(row, FunctionNameColumn));
    info.op = intern(fieldText(row, OpCommandColumn));
    info.bucket = bucketFor(fieldText(row, CategoryColumn));
    info.nameId = textId(fold(info.name));
    info.opId = textId(fold(info.op));
    m_rows.append(info);
    refreshRowFlags(row);
    ++m_nameRowCount[info.nameId];
    ++m_opRowCount[info.opId];
    KeyBucket &bucket = m_buckets[info.bucket];
    bucket.rows.append(row);
    bucket.byName[info.nameId].append(row);
    bucket.byOp[info.opId].append(row);
    // Rows only ever arrive behind the others, so a row already recorded as
    // first for a text stays first.
    for (const int v : qAsConst(bucket.views)) {
        IpView &view = m_views[v];
        setIfNone(view.firstByName, info.nameId, row);
        setIfNone(view.firstByOp, info.opId, row);
    }
}

void CommandCatalogue::refreshRowFlags(int row) const
{
    RowInfo &info = m_rows[row];
    info.queryable = fieldText(row, QueryColumn).contains(QLatin1Char('?'));
    info.highest = fieldText(row, MaxColumn).toInt();
    // The names run to the row's last cell. A row does not tell its width, so
    // the scan stops after a few missing cells (names behind a wider gap are
    // read from the cells when needed); that keeps narrow rows cheap in a
    // catalogue made wide by one long line.
    QStringList names;
    int missing = 0;
    for (int column = FirstValueNameColumn; column < columnCount() && missing < 4; ++column) {
        if (!item(row, column)) {
            ++missing;
            continue;
        }
        for (; missing > 0; --missing)
            names.append(QString(QLatin1String("")));
        names.append(fieldText(row, column));
    }
    if (names.isEmpty()) {
        info.names = QStringList();
        return;
    }
    const QString key = names.join(QChar(0x1f));
    auto it = m_nameLists.constFind(key);
    if (it == m_nameLists.constEnd())
        it = m_nameLists.insert(key, names);
    info.names = it.value();
}

int CommandCatalogue::bucketFor(const QString &text) const
{
    auto it = m_bucketByText.constFind(text);
    if (it != m_bucketByText.constEnd())
        return it.value();
    const int b = m_buckets.size();
    KeyBucket bucket;
    bucket.text = text;
    for (int v = 0; v < m_views.size(); ++v) {
        if (belongsTo(text, m_views.at(v).ip)) {
            bucket.views.append(v);
            m_views[v].buckets.append(b);
        }
    }
    m_buckets.append(bucket);
    m_bucketByText.insert(text, b);
    return b;
}

int CommandCatalogue::viewFor(const QString &ip) const
{
    auto it = m_viewByIp.constFind(ip);
    if (it != m_viewByIp.constEnd())
        return it.value();
    if (m_views.size() >= kMaxCachedViews) {
        m_views.clear();
        m_viewByIp.clear();
        for (KeyBucket &bucket : m_buckets)
            bucket.views.clear();
    }
    const int v = m_views.size();
    IpView view;
    view.ip = ip;
    for (int b = 0; b < m_buckets.size(); ++b) {
        KeyBucket &bucket = m_buckets[b];
        if (!belongsTo(bucket.text, ip))
            continue;
        view.buckets.append(b);
        bucket.views.append(v);
        for (auto entry = bucket.byName.constBegin(); entry != bucket.byName.constEnd(); ++entry)
            setIfLower(view.firstByName, entry.key(), entry.value().first());
        for (auto entry = bucket.byOp.constBegin(); entry != bucket.byOp.constEnd(); ++entry)
            setIfLower(view.firstByOp, entry.key(), entry.value().first());
    }
    m_views.append(view);
    m_viewByIp.insert(ip, v);
    return v;
}

void CommandCatalogue::onRowsInserted(const QModelIndex &parent, int first, int last)
{
    if (parent.isValid() || m_dirty)
        return;
    if (first != m_rows.size()) {
        markDirty(); // inserted in the middle: row numbers behind it moved
        return;
    }
    for (int row = first; row <= last; ++row)
        indexRow(row);
}

void CommandCatalogue::onColumnsInserted(const QModelIndex &parent, int first, int last)
{
    Q_UNUSED(first)
    // Columns added behind the last one (a wider row arriving) leave every
    // row's cells where they were.
    if (!parent.isValid() && last != columnCount() - 1)
        markDirty();
}

void CommandCatalogue::onDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                                     const QVector<int> &roles)
{
    if (topLeft.parent().isValid() || m_dirty)
        return;
    if (!roles.isEmpty() && !roles.contains(Qt::DisplayRole) && !roles.contains(Qt::EditRole))
        return;
    if (topLeft.column() <= OpCommandColumn) {
        markDirty();
        return;
    }
    // Answers land in the value column, which the index does not hold.
    if (bottomRight.column() < QueryColumn)
        return;
    for (int row = topLeft.row(); row <= bottomRight.row() && row < m_rows.size(); ++row)
        refreshRowFlags(row);
}
