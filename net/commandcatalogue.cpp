#include "net/commandcatalogue.h"

#include "app/orvlog/OrvLog.h"
#include "net/catalogueloader.h"
#include "net/cataloguecsvparser.h"
#include "net/cataloguefiles.h"

#include <QFileInfo>

#include <algorithm>
#include <limits>

namespace {

// Values a projector answers before its rows arrive: enough for every
// command of a catalogue, not for a flood of invented op words.
const int MaxEarlyValues = 1024;

// Column 0 of a row added by hand may carry "<ip>:"; every text before a
// colon is an address it may belong to (a few at most).
const int MaxOwnerPrefixes = 4;

bool isHashedColumn(int column)
{
    return column == CommandCatalogue::FunctionNameColumn || column == CommandCatalogue::OpCommandColumn;
}

} // namespace

CommandCatalogue::CommandCatalogue(QObject *parent) : QObject(parent), m_loader(new CatalogueLoader(this))
{
    connect(m_loader, &CatalogueLoader::sigLoaded, this, &CommandCatalogue::onLoaded);
}

CommandCatalogue::~CommandCatalogue() = default;

QStringList CommandCatalogue::headerLabels()
{
    return {QStringLiteral("IP:Category"), QStringLiteral("Function Name"), QStringLiteral("OP Command"),
            QStringLiteral("Value")};
}

bool CommandCatalogue::loadCommandFile(const QString &path)
{
    m_loose = ModelCatalogue();
    m_looseByIp.clear();
    m_segments.clear();
    m_distinctSegments.clear();
    m_projectors.clear();
    m_models.clear();
    m_attachedModels.clear();
    m_waiting.clear();
    m_rowTotal = 0;
    m_columns = 4;
    m_readingDefaultFile = true;
    const bool read =
        CatalogueCsvParser::parseFile(path, [this](QStringList &&row) { appendCatalogueRow(row); });
    m_readingDefaultFile = false;
    emit sigRowsChanged(QString());
    return read;
}

void CommandCatalogue::appendSegment(const Segment &segment)
{
    m_segments.append(segment);
    m_rowTotal += segment.count;
}

void CommandCatalogue::appendCatalogueRow(const QStringList &fields)
{
    const int index = m_loose.rowCount();
    m_loose.appendRow(fields);
    m_columns = qMax(m_columns, m_loose.row(index).size());
    if (!m_segments.isEmpty() && m_segments.last().looseFirst >= 0 &&
        m_segments.last().looseFirst + m_segments.last().count == index) {
        ++m_segments.last().count;
        ++m_rowTotal;
    } else {
        Segment segment;
        segment.first = m_rowTotal;
        segment.count = 1;
        segment.looseFirst = index;
        m_distinctSegments.append(m_segments.size());
        appendSegment(segment);
    }
    const QString category = m_loose.field(index, CategoryColumn);
    QString owner;
    int from = 0;
    for (int n = 0; n < MaxOwnerPrefixes; ++n) {
        const int colon = category.indexOf(QLatin1Char(':'), from);
        if (colon < 0)
            break;
        owner = category.left(colon);
        m_looseByIp[owner].append(index);
        from = colon + 1;
    }
    if (!m_readingDefaultFile)
        emit sigRowsChanged(owner.isNull() ? QString() : category.left(category.indexOf(QLatin1Char(':'))));
}

bool CommandCatalogue::loadCatalogueForIP(const QString &ip, const QString &model, const QString &pluginFolder)
{
    if (ip.isEmpty() || m_projectors.contains(ip) || m_looseByIp.contains(ip)) {
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
    Projector projector;
    projector.model = model;
    const auto cached = m_models.constFind(path);
    if (cached != m_models.constEnd()) {
        m_projectors.insert(ip, projector);
        attach(ip, cached.value());
        return true;
    }
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable()) {
        OLOG_WARN() << "loadCatalogueForIP"
                    << "Catalogue file not found:" << path << "IP:" << ip;
        return false;
    }
    m_projectors.insert(ip, projector);
    auto waiting = m_waiting.find(path);
    if (waiting != m_waiting.end()) {
        waiting->append(ip);
        return true;
    }
    OLOG_DEBUG() << "loadCatalogueForIP" << ip << path;
    m_waiting.insert(path, {ip});
    // The shipped files read in well under a millisecond: their projectors
    // get rows at once. A big file must not hold the window.
    if (info.size() > m_inPlaceLimit)
        m_loader->load(model, path);
    else
        onLoaded(model, path, ModelCatalogue::fromModelFile(path));
    return true;
}

void CommandCatalogue::onLoaded(const QString &model, const QString &path, const ModelCataloguePtr &catalogue)
{
    ++m_filesRead;
    const QStringList waiting = m_waiting.take(path);
    if (!catalogue) {
        OLOG_WARN() << "loadCatalogueForIP"
                    << "Catalogue file not found:" << path << "model:" << model;
        for (const QString &ip : waiting)
            m_projectors.remove(ip);
        return;
    }
    m_models.insert(path, catalogue);
    for (const QString &ip : waiting) {
        if (m_projectors.contains(ip)) // not dropped by a new default file meanwhile
            attach(ip, catalogue);
    }
}

void CommandCatalogue::attach(const QString &ip, const ModelCataloguePtr &catalogue)
{
    // Rows are numbered with ints: far beyond any fleet, but not beyond a
    // caller inventing addresses without end.
    if (catalogue->rowCount() > std::numeric_limits<int>::max() - m_rowTotal) {
        OLOG_WARN() << "loadCatalogueForIP"
                    << "Too many catalogue rows, none added for" << ip;
        m_projectors.remove(ip);
        return;
    }
    Projector &projector = m_projectors[ip];
    projector.catalogue = catalogue;
    const bool firstOfModel = !m_attachedModels.contains(catalogue.data());
    m_attachedModels.insert(catalogue.data());
    Segment segment;
    segment.first = m_rowTotal;
    segment.count = catalogue->rowCount();
    segment.ip = ip;
    projector.segment = m_segments.size();
    if (firstOfModel)
        m_distinctSegments.append(m_segments.size());
    appendSegment(segment);
    m_columns = qMax(m_columns, catalogue->columnCount());
    // What was answered while the file was read.
    const QHash<QString, QString> early = std::move(projector.early);
    projector.early.clear();
    for (auto it = early.constBegin(); it != early.constEnd(); ++it) {
        const int index = catalogue->firstByOp(it.key());
        if (index >= 0)
            projector.values.insert(index, catalogue->valueText(index, it.value()));
    }
    emit sigRowsChanged(ip);
}

CommandCatalogue::Location CommandCatalogue::locate(int row) const
{
    Location location;
    if (row < 0 || row >= m_rowTotal)
        return location;
    const auto after = std::upper_bound(m_segments.cbegin(), m_segments.cend(), row,
                                        [](int r, const Segment &segment) { return r < segment.first; });
    location.segment = &*(after - 1);
    location.index = row - location.segment->first + qMax(0, location.segment->looseFirst);
    location.row = row;
    return location;
}

int CommandCatalogue::looseRowNumber(int looseIndex) const
{
    for (const int s : m_distinctSegments) {
        const Segment &segment = m_segments.at(s);
        if (segment.looseFirst >= 0 && looseIndex >= segment.looseFirst &&
            looseIndex < segment.looseFirst + segment.count)
            return segment.first + looseIndex - segment.looseFirst;
    }
    return -1;
}

bool CommandCatalogue::hasRowsForIP(const QString &ip) const
{
    if (ip.isEmpty())
        return m_rowTotal > 0;
    const auto it = m_projectors.constFind(ip);
    return (it != m_projectors.constEnd() && it->catalogue && it->catalogue->rowCount() > 0) ||
           m_looseByIp.contains(ip);
}

bool CommandCatalogue::isLoading(const QString &ip) const
{
    const auto it = m_projectors.constFind(ip);
    return it != m_projectors.constEnd() && !it->catalogue;
}

CommandCatalogue::RowsOfIp CommandCatalogue::rowsOf(const QString &ip) const
{
    RowsOfIp rows;
    if (ip.isEmpty()) {
        // Every row: listed only for the hand-kept ones (the default file).
        for (const Segment &segment : m_segments) {
            if (segment.looseFirst < 0)
                continue;
            for (int i = 0; i < segment.count; ++i)
                rows.extra.append(segment.first + i);
        }
        rows.columns = m_loose.columnCount();
        return rows;
    }
    for (const int index : m_looseByIp.value(ip)) {
        rows.extra.append(looseRowNumber(index));
        rows.columns = qMax(rows.columns, m_loose.row(index).size());
    }
    const auto it = m_projectors.constFind(ip);
    if (it != m_projectors.constEnd() && it->catalogue) {
        rows.blockFirst = m_segments.at(it->segment).first;
        rows.blockCount = it->catalogue->rowCount();
        rows.columns = qMax(rows.columns, it->catalogue->columnCount());
    }
    return rows;
}

QString CommandCatalogue::cmdName2opByIP(const QString &name, const QString &ip) const
{
    const Location at = findRowAt(name, FunctionNameColumn, ip);
    if (at.row < 0) {
        OLOG_DEBUG() << "cmdName2opByIP"
                     << "FuncName Not Found!" << name << ip;
        return QString();
    }
    const QString op = fieldAt(at, OpCommandColumn);
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
    const Location at = findRowAt(op, OpCommandColumn, ip);
    if (at.row < 0) {
        OLOG_DEBUG() << "cmdOp2Name"
                     << "OpCmd Not Found!" << op << ip;
        return QString();
    }
    const QString name = fieldAt(at, FunctionNameColumn);
    OLOG_DEBUG() << "cmdOp2Name"
                 << "Found" << op << "=" << name;
    return name;
}

QString CommandCatalogue::lookupCatalogue(int resultColumn, const QString &text, int searchColumn,
                                          const QString &ip) const
{
    const Location at = findRowAt(text, searchColumn, ip);
    return at.row < 0 ? QString() : fieldAt(at, resultColumn);
}

QStringList CommandCatalogue::catalogueOptions(const QString &text, int searchColumn, const QString &ip) const
{
    if (findRow(text, searchColumn, QString()) < 0)
        return QStringList{QString()};
    QStringList options;
    for (const int row : findRows(text, searchColumn, ip)) {
        // A row claiming more names than its catalogue has columns gets only
        // the columns there are: the count comes from a hand-edited file.
        const Location at = locate(row);
        const int lastColumn =
            (at.segment->looseFirst >= 0 ? m_loose.columnCount() : m_projectors.constFind(at.segment->ip)->catalogue->columnCount()) - 1;
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
    const Location at = findRowAt(op, OpCommandColumn, ip);
    if (at.row < 0) {
        const auto it = m_projectors.find(ip);
        if (it != m_projectors.end() && !it->catalogue &&
            (it->early.size() < MaxEarlyValues || it->early.contains(op.toCaseFolded())))
            it->early.insert(op.toCaseFolded(), value);
        return false;
    }
    if (at.segment->looseFirst >= 0) {
        m_loose.setField(at.index, ValueColumn, m_loose.valueText(at.index, value));
        m_columns = qMax(m_columns, m_loose.row(at.index).size());
    } else {
        Projector &projector = m_projectors[at.segment->ip];
        projector.values.insert(at.index, projector.catalogue->valueText(at.index, value));
    }
    emit sigValueChanged(at.row);
    return true;
}

QString CommandCatalogue::opCMDbyIP(const QString &name, const QString &ip) const
{
    const Location at = findRowAt(name, FunctionNameColumn, ip);
    if (at.row < 0)
        return QString();
    return QLatin1String("op ") + fieldAt(at, OpCommandColumn) + QLatin1String(" ?");
}

int CommandCatalogue::firstInModel(const Projector &projector, const QString &text, int searchColumn) const
{
    const ModelCatalogue &catalogue = *projector.catalogue;
    if (searchColumn == FunctionNameColumn)
        return catalogue.firstByName(text);
    if (searchColumn == OpCommandColumn)
        return catalogue.firstByOp(text);
    for (int index = 0; index < catalogue.rowCount(); ++index) {
        const QString field =
            searchColumn == ValueColumn ? projector.values.value(index, catalogue.field(index, ValueColumn))
                                        : catalogue.field(index, searchColumn);
        if (field.compare(text, Qt::CaseInsensitive) == 0)
            return index;
    }
    return -1;
}

int CommandCatalogue::findRow(const QString &text, int searchColumn, const QString &ip) const
{
    return findRowAt(text, searchColumn, ip).row;
}

CommandCatalogue::Location CommandCatalogue::findRowAt(const QString &text, int searchColumn, const QString &ip) const
{
    if (!ip.isEmpty()) {
        Location best;
        // Rows added by hand for ip: normally none.
        const auto loose = m_looseByIp.constFind(ip);
        if (loose != m_looseByIp.constEnd()) {
            for (const int index : *loose) {
                if (m_loose.field(index, searchColumn).compare(text, Qt::CaseInsensitive) == 0) {
                    best = locate(looseRowNumber(index));
                    break;
                }
            }
        }
        const auto it = m_projectors.constFind(ip);
        if (it != m_projectors.constEnd() && it->catalogue) {
            const int index = firstInModel(*it, text, searchColumn);
            const Segment &segment = m_segments.at(it->segment);
            if (index >= 0 && (best.row < 0 || segment.first + index < best.row))
                best = Location{&segment, index, segment.first + index};
        }
        return best;
    }
    // No address: the first row of all, looked for once per model and in
    // every run of hand-kept rows.
    for (const int s : m_distinctSegments) {
        const Segment &segment = m_segments.at(s);
        if (segment.looseFirst < 0) {
            const int index = firstInModel(*m_projectors.constFind(segment.ip), text, searchColumn);
            if (index >= 0)
                return Location{&segment, index, segment.first + index};
            continue;
        }
        const int end = segment.looseFirst + segment.count;
        if (isHashedColumn(searchColumn)) {
            const QVector<int> rows =
                searchColumn == FunctionNameColumn ? m_loose.rowsByName(text) : m_loose.rowsByOp(text);
            const auto it = std::lower_bound(rows.cbegin(), rows.cend(), segment.looseFirst);
            if (it != rows.cend() && *it < end)
                return Location{&segment, *it, segment.first + *it - segment.looseFirst};
            continue;
        }
        for (int index = segment.looseFirst; index < end; ++index) {
            if (m_loose.field(index, searchColumn).compare(text, Qt::CaseInsensitive) == 0)
                return Location{&segment, index, segment.first + index - segment.looseFirst};
        }
    }
    return Location();
}

QVector<int> CommandCatalogue::findRows(const QString &text, int searchColumn, const QString &ip) const
{
    QVector<int> rows;
    const auto matches = [&](int row) {
        if (fieldText(row, searchColumn).compare(text, Qt::CaseInsensitive) == 0)
            rows.append(row);
    };
    const auto addProjector = [&](const Projector &projector) {
        if (!projector.catalogue)
            return;
        const int first = m_segments.at(projector.segment).first;
        if (isHashedColumn(searchColumn)) {
            const QVector<int> found = searchColumn == FunctionNameColumn ? projector.catalogue->rowsByName(text)
                                                                          : projector.catalogue->rowsByOp(text);
            for (const int index : found)
                rows.append(first + index);
            return;
        }
        for (int index = 0; index < projector.catalogue->rowCount(); ++index)
            matches(first + index);
    };
    if (ip.isEmpty()) {
        for (const Segment &segment : m_segments) {
            if (segment.looseFirst >= 0) {
                for (int i = 0; i < segment.count; ++i)
                    matches(segment.first + i);
            } else {
                addProjector(*m_projectors.constFind(segment.ip));
            }
        }
        return rows;
    }
    for (const int index : m_looseByIp.value(ip))
        matches(looseRowNumber(index));
    const auto it = m_projectors.constFind(ip);
    if (it != m_projectors.constEnd())
        addProjector(*it);
    std::sort(rows.begin(), rows.end());
    return rows;
}

QString CommandCatalogue::fieldText(int row, int column) const
{
    return fieldAt(locate(row), column);
}

QString CommandCatalogue::fieldAt(const Location &at, int column) const
{
    if (!at.segment)
        return QString(QLatin1String(""));
    if (at.segment->looseFirst >= 0)
        return m_loose.field(at.index, column);
    const Projector &projector = *m_projectors.constFind(at.segment->ip);
    if (column == CategoryColumn)
        return at.segment->ip + QLatin1Char(':') + projector.catalogue->field(at.index, CategoryColumn);
    if (column == ValueColumn) {
        const auto value = projector.values.constFind(at.index);
        if (value != projector.values.constEnd())
            return value.value();
    }
    return projector.catalogue->field(at.index, column);
}

QStringList CommandCatalogue::rowTexts(int row) const
{
    QStringList texts;
    const Location at = locate(row);
    if (!at.segment)
        return texts;
    const int width = at.segment->looseFirst >= 0
                          ? m_loose.row(at.index).size()
                          : qMax(ValueColumn + 1, m_projectors.constFind(at.segment->ip)->catalogue->row(at.index).size());
    texts.reserve(width);
    for (int column = 0; column < width; ++column)
        texts.append(fieldText(row, column));
    return texts;
}
