// SPDX-License-Identifier: GPL-3.0-or-later
#include "lektionauswaehlen.h"
#include "trainingwidgets.h"
#include "core/fieldnames.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace training {

LessonDialog::LessonDialog(core::AppContext& ctx, Purpose purpose, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName(purpose == Purpose::Learn ? QStringLiteral("lektionauswaehlenF")
                                            : QStringLiteral("lektionauswaehlentestF"));
    setWindowTitle(QStringLiteral("Lektion auswählen"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 16, 18, 14);
    layout->setSpacing(4);
    auto label = [this, layout](const char* name, const QString& text) {
        auto* l = new QLabel(text, this);
        l->setObjectName(QString::fromLatin1(name));
        layout->addWidget(l);
        return l;
    };
    Label1 = label("Label1", QStringLiteral("Bitte wählen Sie"));
    Label2 = label("Label2", purpose == Purpose::Learn ? QStringLiteral("eine Lektion aus, die")
                                                       : QStringLiteral("eine Lektion aus, in der "));
    Label3 = label("Label3", purpose == Purpose::Learn ? QStringLiteral("Sie üben möchten:")
                                                       : QStringLiteral("Sie getestet werden möchten:"));
    QFont f = Label1->font();
    f.setBold(true);
    Label1->setFont(f);
    layout->addSpacing(8);
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setMinimumSize(260, 220);
    ListBox1->setAlternatingRowColors(true);
    layout->addWidget(ListBox1, 1);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, [this] { Button1Click(); });

    QDialogButtonBox* buttons = makeOkCancel(this, Button1, Button2);
    connect(Button1, &QPushButton::clicked, this, &LessonDialog::Button1Click);
    layout->addSpacing(8);
    layout->addWidget(buttons);
}

void LessonDialog::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    FormShow();
}

void LessonDialog::FormShow() {
    ListBox1->clear();
    auto& db = ctx_.db;
    const QString language = db.currentLanguage();
    db.lessons.setFilter(QStringLiteral("Sprache = %1").arg(ts::Table::quoted(language)));
    db.lessons.setFiltered(true);
    const int name = db.lessons.field(core::field::kName);
    for (int i = 0, n = db.lessons.recordCount(); i < n; ++i)
        ListBox1->addItem(db.lessons.valueAt(i, name).toString());
    if (ListBox1->count() > 0)
        ListBox1->setCurrentRow(0);
    ListBox1->setFocus();
}

void LessonDialog::Button1Click() {
    QListWidgetItem* item = ListBox1->currentItem();
    if (!item) {
        ctx_.prompter().information(
            ListBox1->count() == 0
                ? QStringLiteral("Für die aktuelle Sprache gibt es noch keine Lektion. Bitte legen Sie zuerst unter "
                                 "„Lektionen“ eine Lektion an.")
                : QStringLiteral("Bitte wählen Sie eine Lektion aus."));
        return;
    }
    if (!onChosen || onChosen(item->text()))
        accept();
}

void LessonDialog::FormClose() {
    ListBox1->clear();
    ctx_.db.lessons.setFiltered(false);
}

void LessonDialog::done(int r) {
    FormClose();
    QDialog::done(r);
}

} // namespace training
