// SPDX-FileCopyrightText: 2026 Tavrin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// One plain line edit that accepts input methods, as any program's would: the input-method
// suite types into it first, to know that the input method is live before judging Tavrin. Its
// text goes to standard output, one line per change.
#include <QApplication>
#include <QLineEdit>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLineEdit edit;
    edit.setWindowTitle(QStringLiteral("ime-probe"));
    edit.resize(200, 30);
    QTextStream out(stdout);
    out.setEncoding(QStringConverter::Utf8);
    QObject::connect(&edit, &QLineEdit::textChanged,
                     [&out](const QString &text) { out << "text: " << text << Qt::endl; });
    edit.show();
    return app.exec();
}
