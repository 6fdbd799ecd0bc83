#include "recordset.h"

#include "database.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {
const QString kRowid = QStringLiteral("quorvel_rowid");

// The program's query texts select from [table]; the rowid is added so every member can be written back.
QString withRowid(const QString &sql) {
    static const QRegularExpression head(QStringLiteral("^\\s*select\\s+"), QRegularExpression::CaseInsensitiveOption);
    QRegularExpressionMatch m = head.match(sql);
    if (!m.hasMatch())
        return sql;
    return sql.left(m.capturedEnd()) + QStringLiteral("rowid AS ") + kRowid + QStringLiteral(", ") +
           sql.mid(m.capturedEnd());
}
} // namespace

RecordSetPtr RecordSet::openTable(Database &db) { return openQuery(db, QStringLiteral("select * from [table]")); }

RecordSetPtr RecordSet::openQuery(Database &db, const QString &sql, const QVariantList &binds) {
    RecordSetPtr rs(new RecordSet());
    rs->m_db = &db;
    rs->m_ok = rs->load(db, sql, binds);
    rs->moveFirst();
    return rs;
}

bool RecordSet::load(Database &db, const QString &sql, const QVariantList &binds) {
    QSqlQuery q(db.handle());
    q.setForwardOnly(true);
    if (!q.prepare(withRowid(sql))) {
        db.reportError(QStringLiteral("%1: %2\n%3").arg(db.path(), q.lastError().text(), sql));
        return false;
    }
    for (const QVariant &v : binds)
        q.addBindValue(v);
    if (!q.exec()) {
        db.reportError(QStringLiteral("%1: %2\n%3").arg(db.path(), q.lastError().text(), sql));
        return false;
    }
    QSqlRecord rec = q.record();
    const int n = rec.count();
    int rowidCol = -1;
    QVector<int> cols;
    for (int i = 0; i < n; ++i) {
        const QString name = rec.fieldName(i);
        if (name == kRowid) {
            rowidCol = i;
            continue;
        }
        m_index.insert(name.toLower(), m_fields.size());
        m_fields << name;
        cols << i;
    }
    while (q.next()) {
        Row row;
        row.rowid = rowidCol >= 0 ? q.value(rowidCol).toLongLong() : 0;
        row.values.reserve(cols.size());
        for (int c : cols)
            row.values.append(q.value(c));
        m_rows.append(std::move(row));
    }
    m_live = m_rows.size();
    q.finish();
    return true;
}

void RecordSet::moveFirst() {
    m_onDeleted = false;
    m_pos = 0;
    while (m_pos < m_rows.size() && m_rows[m_pos].deleted)
        ++m_pos;
    if (m_pos >= m_rows.size())
        m_pos = m_rows.isEmpty() ? -1 : m_rows.size();
}

void RecordSet::moveLast() {
    m_onDeleted = false;
    m_pos = m_rows.size() - 1;
    while (m_pos >= 0 && m_rows[m_pos].deleted)
        --m_pos;
}

void RecordSet::moveNext() {
    m_onDeleted = false;
    if (m_pos >= m_rows.size())
        return;
    ++m_pos;
    while (m_pos < m_rows.size() && m_rows[m_pos].deleted)
        ++m_pos;
}

void RecordSet::movePrevious() {
    m_onDeleted = false;
    if (m_pos < 0)
        return;
    --m_pos;
    while (m_pos >= 0 && m_rows[m_pos].deleted)
        --m_pos;
}

bool RecordSet::bof() const { return m_pos < 0 || liveCount() == 0; }
bool RecordSet::eof() const { return m_pos >= m_rows.size() || liveCount() == 0; }

bool RecordSet::hasCurrent() const {
    return !m_onDeleted && m_pos >= 0 && m_pos < m_rows.size() && !m_rows[m_pos].deleted;
}

void RecordSet::moveTo(int position) {
    m_onDeleted = false;
    if (position >= 0 && position < m_rows.size() && !m_rows[position].deleted)
        m_pos = position;
}

qint64 RecordSet::rowid() const { return hasCurrent() ? m_rows[m_pos].rowid : 0; }

int RecordSet::columnOf(const QString &name) const { return m_index.value(name.toLower(), -1); }

QVariant RecordSet::field(const QString &name) const {
    const int c = columnOf(name);
    if (c < 0)
        return {};
    if (m_mode != Mode::None && m_touched.value(c))
        return m_buffer.value(c);
    if (m_mode == Mode::Add)
        return m_buffer.value(c);
    if (!hasCurrent())
        return {};
    return m_rows[m_pos].values.value(c);
}

void RecordSet::addNew() {
    m_mode = Mode::Add;
    m_buffer = QVector<QVariant>(m_fields.size());
    m_touched = QVector<bool>(m_fields.size(), false);
}

void RecordSet::edit() {
    if (!hasCurrent())
        return;
    m_mode = Mode::Edit;
    m_buffer = m_rows[m_pos].values;
    m_touched = QVector<bool>(m_fields.size(), false);
}

void RecordSet::setField(const QString &name, const QVariant &value) {
    const int c = columnOf(name);
    if (c < 0 || m_mode == Mode::None)
        return;
    // An empty text is stored as an empty text, never as an absent value.
    if (value.typeId() == QMetaType::QString && value.toString().isNull())
        m_buffer[c] = QVariant(QStringLiteral(""));
    else
        m_buffer[c] = value;
    m_touched[c] = true;
}

void RecordSet::cancelUpdate() {
    m_mode = Mode::None;
    m_buffer.clear();
    m_touched.clear();
}

bool RecordSet::update() {
    if (!m_db || m_mode == Mode::None)
        return false;
    QStringList names;
    QVariantList values;
    for (int c = 0; c < m_fields.size(); ++c) {
        if (m_touched[c]) {
            names << QStringLiteral("[") + m_fields[c] + QStringLiteral("]");
            values << m_buffer[c];
        }
    }
    QSqlQuery q(m_db->handle());
    bool ok = true;
    if (m_mode == Mode::Add) {
        QString sql;
        if (names.isEmpty()) {
            sql = QStringLiteral("insert into [table] default values");
        } else {
            QStringList marks;
            for (int i = 0; i < names.size(); ++i)
                marks << QStringLiteral("?");
            sql = QStringLiteral("insert into [table] (%1) values (%2)")
                      .arg(names.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
        }
        ok = q.prepare(sql);
        for (const QVariant &v : values)
            q.addBindValue(v);
        ok = ok && q.exec();
        if (ok) {
            Row row;
            row.rowid = q.lastInsertId().toLongLong();
            q.finish();
            // Read back what was stored, so fields left out carry the table's defaults.
            QSqlQuery back(m_db->handle());
            back.prepare(QStringLiteral("select * from [table] where rowid=?"));
            back.addBindValue(row.rowid);
            row.values = QVector<QVariant>(m_fields.size());
            if (back.exec() && back.next()) {
                QSqlRecord rec = back.record();
                for (int c = 0; c < m_fields.size(); ++c) {
                    int i = rec.indexOf(m_fields[c]);
                    row.values[c] = i >= 0 ? back.value(i) : m_buffer[c];
                }
            } else {
                row.values = m_buffer;
            }
            back.finish();
            const bool hadCurrent = hasCurrent();
            m_rows.append(std::move(row));
            ++m_live;
            m_lastModified = m_rows.size() - 1;
            if (!hadCurrent)
                m_pos = m_lastModified;
        }
    } else {
        if (!names.isEmpty()) {
            QStringList sets;
            for (const QString &n : names)
                sets << n + QStringLiteral("=?");
            ok = q.prepare(QStringLiteral("update [table] set %1 where rowid=?").arg(sets.join(QLatin1Char(','))));
            for (const QVariant &v : values)
                q.addBindValue(v);
            q.addBindValue(m_rows[m_pos].rowid);
            ok = ok && q.exec();
        }
        if (ok) {
            m_rows[m_pos].values = m_buffer;
            m_lastModified = m_pos;
        }
    }
    if (!ok) {
        QString why = q.lastError().text();
        cancelUpdate();
        m_db->reportError(QStringLiteral("%1: the record could not be stored: %2").arg(m_db->path(), why));
        return false;
    }
    q.finish();
    cancelUpdate();
    return true;
}

bool RecordSet::deleteRecord() {
    if (!m_db || !hasCurrent())
        return false;
    QSqlQuery q(m_db->handle());
    q.prepare(QStringLiteral("delete from [table] where rowid=?"));
    q.addBindValue(m_rows[m_pos].rowid);
    if (!q.exec()) {
        m_db->reportError(
            QStringLiteral("%1: the record could not be deleted: %2").arg(m_db->path(), q.lastError().text()));
        return false;
    }
    q.finish();
    m_rows[m_pos].deleted = true;
    --m_live;
    m_onDeleted = true;
    return true;
}
