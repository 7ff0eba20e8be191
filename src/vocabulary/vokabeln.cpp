// SPDX-License-Identifier: GPL-3.0-or-later
#include "vokabeln.h"
#include "vocabularyrules.h"
#include "tablestore/tableerror.h"

#include <QVBoxLayout>

namespace vocabulary {

VokabelnF::VokabelnF(core::AppContext& ctx, VocabularyRules& rules, databound::DataSource* source,
                     core::WindowHost& host, QWidget* parent)
    : QDialog(parent), ctx_(ctx), rules_(rules) {
    setObjectName(QStringLiteral("VokabelnF"));
    setWindowTitle(QStringLiteral("Vokabelverwaltung"));
    editor = new VocabularyEditor(ctx, rules, source, VocabularyEditor::Variant::Dialog, host, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(editor);
    connect(editor, &VocabularyEditor::closeRequested, this, &VokabelnF::CloseDialog);
    resize(760, 520);
}

void VokabelnF::CloseDialog() {
    if (rules_.confirmLeaving())
        done(QDialog::Accepted);
}

bool VokabelnF::CloseQuery() {
    auto& v = ctx_.db.vocabulary;
    if (!v.isModified())
        return true;
    switch (ctx_.prompter().ask(QStringLiteral("Änderungen speichern beim aktuellen Datensatz?"),
                                core::Buttons::YesNoCancel)) {
    case core::Answer::Cancel:
        return false;
    case core::Answer::Yes:
        // The dialog closes either way; an incomplete pair keeps waiting as
        // a pending record and is not saved empty.
        rules_.saveChecked();
        return true;
    default:
        v.cancel();
        return true;
    }
}

void VokabelnF::reject() {
    if (CloseQuery())
        QDialog::reject();
}

} // namespace vocabulary
