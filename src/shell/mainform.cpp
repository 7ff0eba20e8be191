// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainform.h"
#include "about.h"
#include "databound/datasource.h"
#include "databound/grid.h"
#include "navicons.h"
#include "workpanel.h"
#include "core/fieldnames.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace shell {

Mainform::Mainform(core::AppContext& ctx, QWidget* parent) : QMainWindow(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("Mainform"));
    setWindowTitle(QStringLiteral("Moriva Vokabeltrainer"));
    resize(835, 578);

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("Hintergrund"));
    central->setAutoFillBackground(true);
    QPalette pal = central->palette();
    pal.setColor(QPalette::Window, QColor(192, 192, 192)); // silver
    central->setPalette(pal);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    setCentralWidget(central);

    buildMenu();
    buildNavigationBar();
    layout->addWidget(Panel1);
    buildPanels();
    for (WorkPanel* p : panels_)
        layout->addWidget(p, 1);
    layout->addStretch(0);

    StatusPanel0 = new QLabel(QStringLiteral("Benutzer"), this);
    StatusPanel0->setObjectName(QStringLiteral("StatusPanel0"));
    StatusPanel0->setFixedWidth(250);
    StatusPanel1 = new QLabel(QStringLiteral("Sprache"), this);
    StatusPanel1->setObjectName(QStringLiteral("StatusPanel1"));
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->addWidget(StatusPanel0);
    statusBar()->addWidget(StatusPanel1, 1);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &Mainform::Timer1Timer);

    vocabularySource = new databound::DataSource(&ctx_.db.vocabulary, this);
    vocabularySource->setErrorHandler([this](const QString& m) { ctx_.prompter().information(m); });
    addVocabularyViewsLink([this](bool on) { vocabularySource->setEnabled(on); });

    aboutF = new AboutF(this);
    FormCreate();
}

Mainform::~Mainform() = default;

void Mainform::buildMenu() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    auto entry = [this](QMenu* menu, const char* name, const QString& caption, void (Mainform::*slot)()) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    QMenu* programm = bar->addMenu(QStringLiteral("&Programm"));
    programm->setObjectName(QStringLiteral("Programm1"));
    SpracheWechseln1 = entry(programm, "SpracheWechseln1", QStringLiteral("Sprache wechseln"), &Mainform::SpracheClick);
    DatenbankSichern1 =
        entry(programm, "DatenbankSichern1", QStringLiteral("Datenbank sichern"), &Mainform::DatenbankSichernClick);
    Beenden1 = entry(programm, "Beenden1", QStringLiteral("Beenden"), &Mainform::Beenden1Click);
    Beenden1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    Beenden1->setShortcutContext(Qt::WindowShortcut);

    QMenu* benutzer = bar->addMenu(QStringLiteral("&Benutzer"));
    benutzer->setObjectName(QStringLiteral("Benutzer1"));
    BenutzerNeu1 = entry(benutzer, "BenutzerNeu1", QStringLiteral("Neu"), &Mainform::BenutzerNeuClick);
    BenutzerBearbeiten1 =
        entry(benutzer, "BenutzerBearbeiten1", QStringLiteral("Bearbeiten"), &Mainform::BenutzerBearbeitenClick);
    BenutzerLoeschen1 =
        entry(benutzer, "BenutzerLoeschen1", QStringLiteral("Löschen"), &Mainform::BenutzerLoeschenClick);
    benutzer->addSeparator();
    BenutzerWechseln1 =
        entry(benutzer, "BenutzerWechseln1", QStringLiteral("Wechseln"), &Mainform::BenutzerWechselnClick);
    BenutzerStatistik1 = entry(benutzer, "BenutzerStatistik1", QStringLiteral("Statistik"), &Mainform::StatistikClick);

    QMenu* vokabeln = bar->addMenu(QStringLiteral("&Vokabeln"));
    vokabeln->setObjectName(QStringLiteral("Vokabeln1"));
    Vokabelverwaltung1 =
        entry(vokabeln, "Vokabelverwaltung1", QStringLiteral("Vokabelverwaltung"), &Mainform::VokabelnClick);
    vokabeln->addSeparator();
    VokabelnTesten1 = entry(vokabeln, "VokabelnTesten1", QStringLiteral("Testen"), &Mainform::TestenClick);
    VokabelnLernen1 = entry(vokabeln, "VokabelnLernen1", QStringLiteral("Lernen"), &Mainform::LernenClick);
    vokabeln->addSeparator();
    Woerterbuch1 = entry(vokabeln, "Woerterbuch1", QStringLiteral("Wörterbuch"), &Mainform::WoerterbuchClick);

    QMenu* lektion = bar->addMenu(QStringLiteral("&Lektion"));
    lektion->setObjectName(QStringLiteral("Lektion1"));
    Lektionsverwaltung1 =
        entry(lektion, "Lektionsverwaltung1", QStringLiteral("Lektionsverwaltung"), &Mainform::LektionenClick);

    QMenu* drucken = bar->addMenu(QStringLiteral("&Drucken"));
    drucken->setObjectName(QStringLiteral("Drucken1"));
    Karteikarten1 = drucken->addAction(QStringLiteral("Karteikarten"), this,
                                       [this] { PrintCommand(printing::PrintKind::FlashCards); });
    Karteikarten1->setObjectName(QStringLiteral("Karteikarten1"));
    Vokabelliste1 =
        drucken->addAction(QStringLiteral("Vokabelliste"), this, [this] { PrintCommand(printing::PrintKind::List); });
    Vokabelliste1->setObjectName(QStringLiteral("Vokabelliste1"));
    Vokabeltest1 =
        drucken->addAction(QStringLiteral("Vokabeltest"), this, [this] { PrintCommand(printing::PrintKind::Test); });
    Vokabeltest1->setObjectName(QStringLiteral("Vokabeltest1"));

    QMenu* hilfe = bar->addMenu(QStringLiteral("&Hilfe"));
    hilfe->setObjectName(QStringLiteral("Hilfe"));
    Hilfe1 = entry(hilfe, "Hilfe1", QStringLiteral("Hilfe"), &Mainform::Hilfe1Click);
    Hilfe1->setShortcut(Qt::Key_F1);
    Hilfe1->setShortcutContext(Qt::WindowShortcut); // only while the main window is active
    HandbuchImProgramm1 = entry(hilfe, "HandbuchImProgramm1", QStringLiteral("Handbuch im Programm"),
                                &Mainform::HandbuchImProgramm1Click);
    hilfe->addSeparator();
    Info1 = entry(hilfe, "Info1", QStringLiteral("Info"), &Mainform::Info1Click);
}

void Mainform::buildNavigationBar() {
    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    auto* row = new QHBoxLayout(Panel1);
    row->setContentsMargins(6, 4, 6, 4);
    auto button = [this, row](const char* name, const QString& caption, NavIcon icon, std::function<void()> slot) {
        auto* b = new QToolButton(Panel1);
        b->setObjectName(QString::fromLatin1(name));
        b->setText(caption);
        b->setIcon(navIcon(icon));
        b->setIconSize(QSize(40, 40));
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setAutoRaise(true); // flat
        b->setMinimumWidth(84);
        connect(b, &QToolButton::clicked, this, std::move(slot));
        row->addWidget(b);
        return b;
    };
    SpeedButton2 = button("SpeedButton2", QStringLiteral("Lernen"), NavIcon::Learn, [this] { LernenClick(); });
    SpeedButton4 = button("SpeedButton4", QStringLiteral("Testen"), NavIcon::Test, [this] { TestenClick(); });
    SpeedButton5 = button("SpeedButton5", QStringLiteral("Vokabeln"), NavIcon::Words, [this] { VokabelnClick(); });
    SpeedButton6 = button("SpeedButton6", QStringLiteral("Lektionen"), NavIcon::Lessons, [this] { LektionenClick(); });
    SpeedButton1 = button("SpeedButton1", QStringLiteral("Karteikarten"), NavIcon::Print,
                          [this] { PrintCommand(printing::PrintKind::FlashCards); });
    SpeedButton3 =
        button("SpeedButton3", QStringLiteral("Statistik"), NavIcon::Statistics, [this] { StatistikClick(); });
    SpeedButton9 = button("SpeedButton9", QStringLiteral("Sprache"), NavIcon::Language, [this] { SpracheClick(); });
    row->addStretch(1);
}

void Mainform::buildPanels() {
    PLernen = new WorkPanel(QStringLiteral("PLernen"), QStringLiteral("Lernen"), centralWidget());
    PTesten = new WorkPanel(QStringLiteral("PTesten"), QStringLiteral("Testen"), centralWidget());
    PVokabelverwaltung =
        new WorkPanel(QStringLiteral("PVokabelverwaltung"), QStringLiteral("Vokabeln"), centralWidget());
    PLektionsverwaltung =
        new WorkPanel(QStringLiteral("PLektionsverwaltung"), QStringLiteral("Lektionsverwaltung"), centralWidget());
    PWoerterbuch = new WorkPanel(QStringLiteral("PWoerterbuch"), QStringLiteral("Wörterbuch"), centralWidget());
    PBenutzerstatistik =
        new WorkPanel(QStringLiteral("PBenutzerstatistik"), QStringLiteral("Benutzerstatistik"), centralWidget());
    PDruckvorschau = new WorkPanel(QStringLiteral("PDruckvorschau"), QStringLiteral("Druckvorschau"), centralWidget());
    // The order in which ResetView hides them.
    panels_ = {
        PLernen, PTesten, PBenutzerstatistik, PWoerterbuch, PDruckvorschau, PVokabelverwaltung, PLektionsverwaltung};
}

std::vector<ts::Table*> Mainform::allTables() {
    auto& db = ctx_.db;
    return {&db.users, &db.lessons, &db.members, &db.knowledge, &db.vocabulary};
}

void Mainform::ResetView() {
    for (ts::Table* t : allTables()) {
        try {
            if (t->isOpen())
                t->settle();
            t->setFiltered(false);
            t->setFilterCaseInsensitive(false);
        } catch (const ts::TableError& e) {
            ctx_.prompter().information(e.message());
        }
    }
    for (WorkPanel* p : panels_)
        p->hide();
}

WorkPanel* Mainform::visiblePanel() const {
    for (WorkPanel* p : panels_)
        if (p->isVisibleTo(const_cast<Mainform*>(this)))
            return p;
    return nullptr;
}

void Mainform::showPanel(WorkPanel* panel) {
    ResetView();
    panel->show();
}

void Mainform::showPanelOf(QWidget* content) {
    for (WorkPanel* p : panels_)
        if (p->isAncestorOf(content))
            p->show();
}

void Mainform::inform(const QString& text) {
    ctx_.prompter().information(text);
}

void Mainform::addVocabularyViewsLink(std::function<void(bool)> link) {
    link(viewsAttached_);
    viewsLinks_.push_back(std::move(link));
}

void Mainform::DetachVocabularyViews() {
    viewsAttached_ = false;
    for (auto& l : viewsLinks_)
        l(false);
}

void Mainform::AttachVocabularyViews() {
    viewsAttached_ = true;
    for (auto& l : viewsLinks_)
        l(true);
}

void Mainform::registerColumnWidths(ColumnWidths grid) {
    columnWidths_.push_back(std::move(grid));
}

void Mainform::registerGridWidths(const QString& prefix, databound::Grid* grid) {
    registerColumnWidths({prefix, core::field::kWordFields,
                          [grid](const QString& f) { return grid->fieldColumnWidth(f); },
                          [grid](const QString& f, int w) { grid->setFieldColumnWidth(f, w); }});
}

void Mainform::Info1Click() {
    aboutF->exec();
}

void Mainform::Beenden1Click() {
    close();
}

} // namespace shell
