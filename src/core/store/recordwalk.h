#pragma once
// The records an editor walks through with its move buttons. The members are fixed when the walk is
// made (the list's rows, in the list's order, or the one record just added); each record is read
// afresh when the editor stands on it, so what is shown is what is stored. A record deleted since
// the walk was made is stepped over.

#include <QVector>
#include <QtGlobal>
#include <optional>

// What storing a record came to.
enum class StoreOutcome {
    Stored,
    ChangedElsewhere, // someone else stored the record since it was read: nothing was stored
    Gone,             // the record no longer exists: nothing was stored
    Failed            // the store failed (and said why to its error handler)
};

// Where the walked records are stored, by record key (SQLite's rowid; `id` is not a key).
template <class Value> class RecordSource {
public:
    virtual ~RecordSource() = default;
    virtual std::optional<Value> load(qint64 record) const = 0;
    // Stores `value` only when the record still holds `read`, the record as it was read before (with none,
    // whatever it holds); the check and the write are one step. `read` is then the record as stored now:
    // this value, or on ChangedElsewhere the other's.
    virtual StoreOutcome store(qint64 record, const Value &value, std::optional<Value> &read) = 0;
    virtual std::optional<qint64> add(const Value &value) = 0;
    virtual bool remove(qint64 record) = 0;
};

template <class Value> class RecordWalk {
public:
    RecordWalk(RecordSource<Value> &source, QVector<qint64> records, int position)
        : m_source(source), m_records(std::move(records)) {
        if (position >= 0 && position < m_records.size())
            standOn(position);
    }

    bool hasCurrent() const { return m_value.has_value(); }
    const Value &current() const { return *m_value; }
    qint64 currentRecord() const { return hasCurrent() ? m_records.at(m_pos) : 0; }

    // Stores the value into the record stood on, unless someone else stored that record after it was read
    // here: then current() becomes what they stored, and storing again stores over it.
    StoreOutcome store(const Value &value) {
        if (!hasCurrent())
            return StoreOutcome::Gone;
        std::optional<Value> read = m_value;
        const StoreOutcome outcome = m_source.store(m_records.at(m_pos), value, read);
        if (outcome == StoreOutcome::Stored || outcome == StoreOutcome::ChangedElsewhere)
            m_value = std::move(read);
        return outcome;
    }
    // Deletes the record stood on; there is no current record afterwards.
    bool remove() {
        if (!hasCurrent() || !m_source.remove(m_records.at(m_pos)))
            return false;
        m_records.remove(m_pos);
        m_value.reset();
        m_pos = -1;
        return true;
    }
    // Stores a new record, which joins the walk at its end and is stood on.
    bool addAndStandOn(const Value &value) {
        const std::optional<qint64> added = m_source.add(value);
        if (!added)
            return false;
        m_records.append(*added);
        return standOn(int(m_records.size()) - 1);
    }

    // Past either end the walk stays on the end record.
    void first() { seek(0, +1); }
    void last() { seek(int(m_records.size()) - 1, -1); }
    void next() {
        if (!seek(m_pos + 1, +1))
            seek(m_pos, -1);
    }
    void previous() {
        if (!seek(m_pos - 1, -1))
            seek(m_pos, +1);
    }

private:
    bool standOn(int position) {
        std::optional<Value> value = m_source.load(m_records.at(position));
        if (!value)
            return false;
        m_pos = position;
        m_value = std::move(value);
        return true;
    }
    // Stands on the first record from `from` on in the direction `step` that still exists.
    bool seek(int from, int step) {
        for (int p = from; p >= 0 && p < m_records.size(); p += step)
            if (standOn(p))
                return true;
        return false;
    }

    RecordSource<Value> &m_source;
    QVector<qint64> m_records;
    int m_pos = -1;
    std::optional<Value> m_value;
};
