#pragma once
// An updatable record set. Its members are fixed when it opens (as the original engine's dynasets
// were): the rows are read at once and the statement finished, so no lock is held afterwards.
// Records are addressed by SQLite's rowid, since `id` is not a key.

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <memory>

class Database;

class RecordSet {
public:
    // The table itself, in its own order.
    static std::shared_ptr<RecordSet> openTable(Database &db);
    // A query text as written ("select * from [table] where id>0 order by ..."), with optional bound values.
    static std::shared_ptr<RecordSet> openQuery(Database &db, const QString &sql, const QVariantList &binds = {});

    bool isOpen() const { return m_ok; }
    bool hasRecords() const { return liveCount() > 0; }
    int liveCount() const { return m_live; }

    void moveFirst();
    void moveLast();
    void moveNext();
    void movePrevious();
    bool bof() const;
    bool eof() const;
    bool hasCurrent() const;

    // Field of the current record (or, while adding, of the record being added).
    QVariant field(const QString &name) const;
    QString text(const QString &name) const { return field(name).toString(); }
    bool hasField(const QString &name) const { return m_index.contains(name.toLower()); }
    QStringList fieldNames() const { return m_fields; }

    void addNew();
    void edit();
    void setField(const QString &name, const QVariant &value);
    // Stores the buffered record. After adding, the new record joins the set at its end and the record
    // that was current before stays current. Returns false when the store failed (already reported).
    bool update();
    void cancelUpdate();
    // Deletes the current record; there is no current record until the next move.
    bool deleteRecord();

    bool editing() const { return m_mode != Mode::None; }
    bool adding() const { return m_mode == Mode::Add; }
    // Position of the record last added or stored, for moving onto it.
    int lastModified() const { return m_lastModified; }
    void moveTo(int position);
    int position() const { return m_pos; }
    qint64 rowid() const;

private:
    enum class Mode { None, Edit, Add };
    struct Row {
        qint64 rowid = 0;
        QVector<QVariant> values;
        bool deleted = false;
    };

    RecordSet() = default;
    bool load(Database &db, const QString &sql, const QVariantList &binds);
    int columnOf(const QString &name) const;

    Database *m_db = nullptr;
    bool m_ok = false;
    QStringList m_fields;
    QHash<QString, int> m_index; // lower-case name -> column
    QVector<Row> m_rows;
    int m_live = 0; // rows not deleted, kept so the end tests stay O(1)
    int m_pos = -1; // -1 before the first (BOF), size() past the last (EOF)
    bool m_onDeleted = false;
    Mode m_mode = Mode::None;
    QVector<QVariant> m_buffer;
    QVector<bool> m_touched;
    int m_lastModified = -1;
};

using RecordSetPtr = std::shared_ptr<RecordSet>;
