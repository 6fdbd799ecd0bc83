#pragma once
// The settings record in `preferences.mdb`: read, written, and the id counters drawn from.

#include "core/store/settings.h"

#include <QString>
#include <optional>

class Database;

class SettingsRepository {
public:
    explicit SettingsRepository(Database &db) : m_db(db) {}

    // Why the settings record cannot be used ("" when it can): no record, a field without a value, or
    // a counter or rate out of range. Checked once when the file is opened.
    QString problem() const;

    Settings read() const;
    // Writes every value. A counter is never lowered below the stored one, so writing cannot undo an
    // id another copy of the program has drawn meanwhile.
    bool write(const Settings &settings);

    struct Drawn {
        std::optional<qint32> id; // nothing when no id could be drawn
        bool exhausted = false;   // the counter had reached the largest id
        Settings settings;        // the settings as stored after the draw
    };
    // Draws the next id in one short write transaction: the settings re-read, the counter raised and
    // written back, committed before the caller stores the record that uses the id.
    Drawn draw(Counter counter);

private:
    Database &m_db;
};
