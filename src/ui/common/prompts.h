#pragma once
// The program's notices and questions: modal message boxes with the program's own titles, each wide
// enough for its title.

#include <QString>

class QWidget;

namespace prompts {
// A notice titled "Message" with an OK button.
void notice(const QString &text, QWidget *parent = nullptr);
// An error titled "Error" with an OK button.
void error(const QString &text, QWidget *parent = nullptr);
// The OK/Cancel question titled "Are You Sure?": 1 for OK, 2 for Cancel.
int confirm(const QString &question, QWidget *parent = nullptr);
// A question titled "Message" with two answers of its own: true for the first, which Enter and Escape give too.
bool choose(const QString &question, const QString &first, const QString &second, QWidget *parent = nullptr);
// A box about the program, with the program's icon, its own title and an OK button.
void about(const QString &title, const QString &text, QWidget *parent = nullptr);
} // namespace prompts
