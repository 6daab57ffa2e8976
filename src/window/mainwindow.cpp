#include "window/mainwindow.h"

#include "engine/state.h"
#include "platform/qtext.h"
#include "platform/windowutils.h"
#include "render/themeimages.h"
#include "render/windowpictures.h"
#include "render/windowskin.h"
#include "window/fieldview.h"
#include "window/pictureview.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <QWindow>

namespace kalvon {

namespace {

// Where the menu bar's buttons sit, as SetupMenuButtons lays them out.
constexpr int kMenuGap = 8;
constexpr int kMenuBarTop = 5;

// The fields page's side panels and what they hold (panel coordinates).
constexpr QPoint kSidePanelPos[2] = { { 14, 34 }, { 527, 34 } };
constexpr QPoint kNextPieceInPanel{ 11, 21 };
// Per player: the field, its LED column, its special window and special-name label.
constexpr QPoint kFieldPos[3] = { {}, { 119, 34 }, { 329, 34 } };
constexpr QPoint kLedPos[3] = { {}, { 313, 34 }, { 323, 34 } };
constexpr QPoint kSpecialsPos[3] = { {}, { 135, 392 }, { 345, 392 } };
constexpr QPoint kSpecLabelPos[3] = { {}, { 119, 411 }, { 329, 411 } };
// The opponents' boards, each with its name label 16 pixels above it.
constexpr QPoint kBoardPos[6] = { {}, { 322, 52 }, { 427, 52 }, { 532, 52 }, { 322, 258 }, { 427, 258 } };

QColor colorFromRef(int32_t colorRef)
{
    return QColor::fromRgb(rgbFromColorRef(static_cast<uint32_t>(colorRef)));
}

void setTextColor(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    widget->setPalette(palette);
}

// The state of a program whose game core is not made yet.
const EngineState& noGame()
{
    static const EngineState state;
    return state;
}

} // namespace

MainWindow::MainWindow(WindowSkin& skin, const ThemeImages& images, const Themes& themes, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , m_skin(skin)
    , m_images(images)
    , m_themes(themes)
    , m_state(&noGame())
{
    setFixedSize(kWindowWidth, kWindowHeight);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    setFont(font);
    setWindowTitle(QStringLiteral("Kalvon"));

    buildTitleBar();
    m_picForm = new PictureView(this);
    m_picForm->setGeometry(0, kTitleBarHeight, kWindowWidth, kFormHeight);
    m_picForm->setSurface(&m_skin.picForm);
    connect(m_picForm, &PictureView::mouseMoved, this, &MainWindow::pointerOffMenuBar);
    connect(m_picForm, &PictureView::pressed, this, &MainWindow::focusFieldOnFieldsPage);
    buildFieldsPage();
    buildMenuBar();
    buildMenus();
    SetupMenuButtons();
}

MainWindow::~MainWindow() = default;

// --- construction ---

QLabel* MainWindow::makeLabel(
    QWidget* parent, int x, int y, int w, int h, const QString& text, Qt::Alignment align)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(x, y, w, h);
    label->setAlignment(align);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

void MainWindow::buildTitleBar()
{
    m_picTitleBar = new PictureView(this);
    m_picTitleBar->setGeometry(0, 0, kWindowWidth, kTitleBarHeight);
    m_picTitleBar->setSurface(&m_skin.picTitleBar);
    connect(m_picTitleBar, &PictureView::pressed, this, [this] { DragForm(windowHandle()); });
    connect(m_picTitleBar, &PictureView::mouseMoved, this, &MainWindow::pointerOffMenuBar);

    m_imgIcon = new QLabel(m_picTitleBar);
    m_imgIcon->setGeometry(4, 2, 16, 16);
    auto* iconArea = new HitArea(m_picTitleBar);
    iconArea->setGeometry(m_imgIcon->geometry());
    connect(iconArea, &HitArea::pressed, this, &MainWindow::iconPressed);

    m_lblCaption = makeLabel(m_picTitleBar, 24, 3, 360, 14, QStringLiteral("Kalvon v1.91"));
    auto* captionArea = new HitArea(m_picTitleBar);
    captionArea->setGeometry(m_lblCaption->geometry());
    connect(captionArea, &HitArea::pressed, this, [this] {
        focusFieldOnFieldsPage();
        DragForm(windowHandle());
    });
    connect(captionArea, &HitArea::mouseMoved, this, &MainWindow::pointerOffMenuBar);

    m_lblMinimize = new HitArea(m_picTitleBar);
    m_lblMinimize->setGeometry(596, 2, 18, 16);
    connect(m_lblMinimize, &HitArea::clicked, this, &QWidget::showMinimized);
    m_lblExit = new HitArea(m_picTitleBar);
    m_lblExit->setGeometry(618, 2, 18, 16);
    connect(m_lblExit, &HitArea::clicked, this, &MainWindow::unloadRequested);
}

void MainWindow::buildMenuBar()
{
    const MenuBarButton ids[]
        = { MenuBarButton::File, MenuBarButton::Fields, MenuBarButton::Options, MenuBarButton::Theme,
              MenuBarButton::Help, MenuBarButton::Server, MenuBarButton::Chat, MenuBarButton::Connect };
    for (size_t i = 0; i < m_buttons.size(); ++i) {
        ButtonView& entry = m_buttons[i];
        entry.id = ids[i];
        entry.picture = Surface(menuBarButtonWidth(entry.id), kMenuBarButtonHeight);
        entry.view = new PictureView(m_picForm);
        entry.view->resize(entry.picture.width(), entry.picture.height());
        entry.view->setSurface(&entry.picture);
        const MenuBarButton id = entry.id;
        connect(entry.view, &PictureView::mouseMoved, this, [this, id] { onButtonHover(id); });
        connect(entry.view, &PictureView::clicked, this, [this, id] { onButtonClick(id); });
    }
    for (MenuBarButton id : { MenuBarButton::Server, MenuBarButton::Chat, MenuBarButton::Connect })
        button(id).view->hide();
}

PictureView* MainWindow::makeMenu(const Surface& picture, const std::vector<QRect>& markers,
    const std::function<void(int)>& moved, const std::function<void(int)>& clicked)
{
    auto* menu = new PictureView(m_picForm);
    menu->resize(picture.width(), picture.height());
    menu->setSurface(&picture);
    for (int i = 0; i < int(markers.size()); ++i) {
        auto* marker = new HitArea(menu);
        marker->setGeometry(markers[size_t(i)]);
        connect(marker, &HitArea::mouseMoved, this, [moved, i] { moved(i); });
        connect(marker, &HitArea::clicked, this, [clicked, i] { clicked(i); });
    }
    return menu;
}

void MainWindow::buildMenus()
{
    const auto rows = [](auto rowY, int width) {
        std::vector<QRect> markers;
        for (int y : rowY)
            markers.emplace_back(0, y, width, kMenuRowHeight);
        return markers;
    };
    // menumarker 0..4 over the rows; 5 and 6 over the gaps above rows 0 and 1.
    std::vector<QRect> fileMarkers = rows(kFileMenuRowY, 149);
    fileMarkers.insert(fileMarkers.end(), { { 0, 0, 149, 7 }, { 0, 27, 149, 8 } });
    m_filemenu = makeMenu(
        m_skin.filemenu, fileMarkers, [this](int i) { emit fileMarkerMoved(i); },
        [this](int i) { emit fileMarkerClicked(i); });
    m_gameModeSubMenu = makeMenu(
        m_skin.GameModeSubMenu, rows(kGameModeMenuRowY, 104), [this](int i) { emit gameModeMarkerMoved(i); },
        [this](int i) { emit gameModeMarkerClicked(i); });
    m_helpMenu = makeMenu(
        m_skin.HelpMenu, rows(kHelpMenuRowY, 104), [this](int i) { onHelpRowHover(i); },
        [this](int i) { onHelpRowClick(i); });
    hideMenus();
}

void MainWindow::buildFieldsPage()
{
    for (int p = 1; p <= 2; ++p) {
        auto* panel = new PictureView(m_picForm);
        panel->setGeometry(QRect(kSidePanelPos[p - 1], QSize(kSidePanelWidth, kSidePanelHeight)));
        panel->setSurface(&m_skin.sidePanels[size_t(p - 1)]);
        connect(panel, &PictureView::pressed, this, &MainWindow::focusFieldOnFieldsPage);
        m_sidePanels[size_t(p - 1)] = panel;

        auto* next = new PictureView(panel);
        next->setGeometry(QRect(kNextPieceInPanel, QSize(77, 77)));
        connect(next, &PictureView::pressed, this, &MainWindow::focusFieldOnFieldsPage);
        m_picNextPiece[size_t(p)] = next;
        m_lblLevel[size_t(p)] = makeLabel(panel, 6, 103, 87, 13, QStringLiteral("Level: 1"));
        m_lblActiveLevel[size_t(p)] = makeLabel(panel, 6, 116, 87, 13, QStringLiteral("Active Level: 1"));
        m_lblLines[size_t(p)] = makeLabel(panel, 6, 129, 87, 13, QStringLiteral("Lines: 0"));
        m_lblQuads[size_t(p)] = makeLabel(panel, 6, 142, 87, 13, QStringLiteral("Quads: 0"));
        m_lblLPM[size_t(p)] = makeLabel(panel, 6, 155, 87, 13, QStringLiteral("LPM: 0"));

        auto* field = new FieldView(m_picForm);
        field->setGeometry(QRect(kFieldPos[p], QSize(192, 352)));
        connect(field, &PictureView::mouseMoved, this, &MainWindow::pointerOffMenuBar);
        m_picField[size_t(p)] = field;

        auto* leds = new PictureView(m_picForm);
        leds->setGeometry(QRect(kLedPos[p], QSize(4, 352)));
        connect(leds, &PictureView::pressed, this, &MainWindow::focusFieldOnFieldsPage);
        m_picLeds[size_t(p)] = leds;

        auto* specials = new PictureView(m_picForm);
        specials->setGeometry(QRect(kSpecialsPos[p], QSize(160, 16)));
        connect(specials, &PictureView::clicked, this, &MainWindow::focusFieldOnFieldsPage);
        m_picSpecials[size_t(p)] = specials;

        m_lblSpec[size_t(p)] = makeLabel(m_picForm, kSpecLabelPos[p].x(), kSpecLabelPos[p].y(), 192, 14,
            QStringLiteral("(None)"), Qt::AlignCenter);
    }
    // Only player 1's field keeps the keyboard; the second hands it on.
    m_picField[2]->setFocusPolicy(Qt::NoFocus);
    connect(m_picField[2], &FieldView::focusGained, this, &MainWindow::FocusField);

    m_lblCliName = makeLabel(m_picForm, 18, 38, 91, 14, QStringLiteral("Player 1"), Qt::AlignCenter);
    m_lblPlayer2 = makeLabel(m_picForm, 531, 38, 91, 14, QStringLiteral("Player 2"), Qt::AlignCenter);
    m_lblScoreLabel = makeLabel(m_picForm, 20, 202, 40, 13, QStringLiteral("Score:"));
    m_lblScore
        = makeLabel(m_picForm, 60, 202, 47, 13, QStringLiteral("0"), Qt::AlignRight | Qt::AlignVCenter);

    m_rtSpecials = new QTextEdit(m_picForm);
    m_rtSpecials->setGeometry(14, 242, 99, 246);
    m_rtSpecials->setReadOnly(true);
    m_rtSpecials->setFocusPolicy(Qt::NoFocus);
    m_rtSpecials->setFrameShape(QFrame::NoFrame);

    m_txtTalk = new QLineEdit(m_picForm);
    m_txtTalk->setGeometry(119, 364, 192, 20);
    m_txtTalk->hide();

    for (int board = 1; board <= kInternetFields; ++board) {
        auto* view = new PictureView(m_picForm);
        view->setGeometry(QRect(kBoardPos[board], QSize(96, 176)));
        connect(view, &PictureView::pressed, this, &MainWindow::focusFieldOnFieldsPage);
        m_picInternetfield[size_t(board)] = view;
        m_lblInetName[size_t(board)] = makeLabel(
            m_picForm, kBoardPos[board].x(), kBoardPos[board].y() - 16, 96, 14, QString(), Qt::AlignCenter);
    }
    HideInternetFields();
}

MainWindow::ButtonView& MainWindow::button(MenuBarButton id)
{
    for (ButtonView& entry : m_buttons) {
        if (entry.id == id)
            return entry;
    }
    return m_buttons.front();
}

// --- skin ---

void MainWindow::showSkin()
{
    m_picTitleBar->update();
    m_picForm->update();
    m_filemenu->update();
    m_gameModeSubMenu->update();
    m_helpMenu->update();
    for (PictureView* panel : m_sidePanels)
        panel->update();
}

void MainWindow::ApplyThemeLabelColors(const ColorTable& colors)
{
    constexpr size_t kTitle = 0, kFields = 2, kInternet = 6;
    setTextColor(m_lblCaption, colorFromRef(colors[kTitle]));
    const QColor fields = colorFromRef(colors[kFields]);
    for (int p = 1; p <= 2; ++p) {
        for (QLabel* label : { m_lblSpec[size_t(p)], m_lblLevel[size_t(p)], m_lblActiveLevel[size_t(p)],
                 m_lblQuads[size_t(p)], m_lblLines[size_t(p)], m_lblLPM[size_t(p)] })
            setTextColor(label, fields);
    }
    for (QLabel* label : { m_lblScoreLabel, m_lblCliName, m_lblPlayer2, m_lblScore })
        setTextColor(label, fields);
    const QColor internet = colorFromRef(colors[kInternet]);
    for (int board = 1; board <= kInternetFields; ++board)
        setTextColor(m_lblInetName[size_t(board)], internet);
}

void MainWindow::setCaption(BytesView text)
{
    const QString caption = toQString(text);
    if (m_lblCaption->text() != caption)
        m_lblCaption->setText(caption);
    if (windowTitle() != caption)
        setWindowTitle(caption);
}

QString MainWindow::caption() const
{
    return m_lblCaption->text();
}

QLabel& MainWindow::captionLabel()
{
    return *m_lblCaption;
}

void MainWindow::showBanner(BytesView version)
{
    m_rtSpecials->clear();
    QTextCursor cursor(m_rtSpecials->document());
    const auto append = [&cursor](const QString& text, const QColor& color, bool bold) {
        QTextCharFormat format;
        format.setForeground(color);
        format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
        cursor.insertText(text, format);
    };
    append(QStringLiteral("--- "), Qt::black, false);
    append(QStringLiteral("Kalvon"), QColor(0, 0, 128), true);
    append(QStringLiteral(" v") + toQString(version), QColor(128, 128, 128), false);
    append(QStringLiteral(" By "), Qt::black, false);
    append(QStringLiteral("The Kalvon Project"), QColor(128, 0, 0), true);
    append(QStringLiteral(" ---"), Qt::black, false);
}

void MainWindow::setIcon(const QPixmap& icon)
{
    m_imgIcon->setPixmap(icon);
}

// --- menu bar ---

void MainWindow::SetupMenuButtons()
{
    const auto place = [this](MenuBarButton id, int left) {
        button(id).view->move(left, kMenuBarTop);
        return left + button(id).view->width() + kMenuGap;
    };
    int left = place(MenuBarButton::File, kMenuGap);
    left = place(MenuBarButton::Fields, left);
    left = place(MenuBarButton::Options, left);
    left = place(MenuBarButton::Theme, left);
    place(MenuBarButton::Help, left);
    place(MenuBarButton::Chat, place(MenuBarButton::Server, left));
    const int connectWidth = button(MenuBarButton::Connect).view->width();
    place(MenuBarButton::Connect, m_picTitleBar->width() - kMenuGap - connectWidth);

    const QRect file = button(MenuBarButton::File).view->geometry();
    m_filemenu->move(kMenuGap, file.bottom() + 1);
    m_gameModeSubMenu->move(m_filemenu->x() + m_filemenu->width(), m_filemenu->y() + 40);
    const QRect help = button(MenuBarButton::Help).view->geometry();
    m_helpMenu->move(help.left(), help.bottom() + 1);
}

void MainWindow::drawButton(MenuBarButton id, ButtonTile tile)
{
    ButtonView& entry = button(id);
    drawMenuBarButton(entry.picture, m_images.interfaceMisc.get(), id, tile, m_offline);
    entry.view->update();
}

void MainWindow::PaintToolbarButtons()
{
    if (m_hoverButton == 0) {
        if (m_filemenu->isVisible() || m_gameModeSubMenu->isVisible() || m_helpMenu->isVisible()) {
            if (m_screen == Screen::Fields)
                FocusField();
        }
        hideMenus();
    }
    for (ButtonView& entry : m_buttons) {
        if (static_cast<int>(entry.id) != m_hoverButton)
            drawButton(entry.id, ButtonTile::Normal);
    }
    const MenuBarButton pageButtons[] = { MenuBarButton::Fields, MenuBarButton::Options,
        MenuBarButton::Server, MenuBarButton::Connect, MenuBarButton::Theme, MenuBarButton::Chat };
    drawButton(pageButtons[static_cast<int>(m_screen) - 1], ButtonTile::Current);
}

void MainWindow::onButtonHover(MenuBarButton id)
{
    const int number = static_cast<int>(id);
    // The fields button takes the hover first, so the repaint leaves its tile alone.
    if (id == MenuBarButton::Fields)
        m_hoverButton = number;
    PaintToolbarButtons();
    m_hoverButton = number;
    const std::pair<MenuBarButton, Screen> pages[]
        = { { MenuBarButton::Fields, Screen::Fields }, { MenuBarButton::Options, Screen::Options },
              { MenuBarButton::Server, Screen::Server }, { MenuBarButton::Connect, Screen::Connect },
              { MenuBarButton::Theme, Screen::Themes }, { MenuBarButton::Chat, Screen::Chat } };
    for (const auto& [pageButton, screen] : pages) {
        if (pageButton == id && screen == m_screen)
            return;
    }
    drawButton(id, ButtonTile::Hover);
}

void MainWindow::onButtonClick(MenuBarButton id)
{
    switch (id) {
    case MenuBarButton::File: onFileButtonClick(); break;
    case MenuBarButton::Help: onHelpButtonClick(); break;
    case MenuBarButton::Fields: ShowFieldScreen(); break;
    case MenuBarButton::Options: showPage(Screen::Options); break;
    case MenuBarButton::Server: showPage(Screen::Server); break;
    case MenuBarButton::Connect: showPage(Screen::Connect); break;
    case MenuBarButton::Theme: showPage(Screen::Themes); break;
    case MenuBarButton::Chat: showPage(Screen::Chat); break;
    }
}

void MainWindow::onFileButtonClick()
{
    m_filemenu->raise();
    PaintToolbarButtons();
    playClick();
    if (m_filemenu->isHidden()) {
        SetupMenuButtons();
        DrawFileMenu();
        m_filemenu->show();
    } else {
        m_filemenu->hide();
        m_gameModeSubMenu->hide();
    }
    if (m_screen == Screen::Fields)
        FocusField();
}

void MainWindow::onHelpButtonClick()
{
    m_helpMenu->raise();
    playClick();
    if (m_helpMenu->isHidden()) {
        drawButton(MenuBarButton::Help, ButtonTile::Current);
        m_helpMenu->show();
    } else {
        m_helpMenu->hide();
        drawButton(MenuBarButton::Help, ButtonTile::Normal);
        m_gameModeSubMenu->hide();
    }
    if (m_screen == Screen::Fields)
        FocusField();
}

void MainWindow::setOffline(bool offline)
{
    m_offline = offline;
}

void MainWindow::DrawFileMenu(int hover)
{
    m_fileMenuHover = hover;
    const FileMenuLook look{ m_state->GameStarted, m_state->GamePaused, hover };
    kalvon::DrawFileMenu(m_skin.filemenu, m_images, m_themes.CurrentTheme.ifacemenutransparent, look);
    m_filemenu->update();
}

void MainWindow::DrawGameModeMenu(int hover)
{
    kalvon::DrawGameModeMenu(m_skin.GameModeSubMenu, m_images, m_themes.CurrentTheme.ifacemenutransparent,
        static_cast<int>(m_state->GameMode) - 1, hover);
    m_gameModeSubMenu->update();
}

void MainWindow::showFileMenu(bool shown)
{
    m_filemenu->setVisible(shown);
    if (shown)
        m_filemenu->raise();
}

void MainWindow::showGameModeMenu(bool shown)
{
    m_gameModeSubMenu->setVisible(shown);
    if (shown)
        m_gameModeSubMenu->raise();
}

bool MainWindow::fileMenuShown() const
{
    return m_filemenu->isVisible();
}

void MainWindow::onHelpRowHover(int index)
{
    m_helpMenuHover = index;
    kalvon::DrawHelpMenu(m_skin.HelpMenu, m_images, m_themes.CurrentTheme.ifacemenutransparent, index);
    m_helpMenu->update();
}

void MainWindow::onHelpRowClick(int index)
{
    if (index == 0)
        emit helpRequested();
    else
        emit aboutRequested();
    playClick();
    m_helpMenu->hide();
}

void MainWindow::pointerOffMenuBar()
{
    m_hoverButton = 0;
    PaintToolbarButtons();
}

void MainWindow::hideMenus()
{
    m_filemenu->hide();
    m_gameModeSubMenu->hide();
    m_helpMenu->hide();
}

void MainWindow::playClick()
{
    if (m_playClick)
        m_playClick();
}

// --- pages ---

void MainWindow::paintFieldsBackground(GameMode mode)
{
    paintFieldsPageBackground(m_skin.picForm, m_images, mode);
    m_picForm->update();
}

void MainWindow::ShowFieldScreen()
{
    ShowLocalFields();
    playClick();
    const GameMode mode = m_state->GameMode;
    paintFieldsBackground(mode);
    m_screen = Screen::Fields;
    if (mode == GameMode::Internet)
        ShowInternetFields();
    else
        HideInternetFields();
    showSidePanels(mode);
    PaintToolbarButtons();
    FocusField();
}

void MainWindow::showPage(Screen screen)
{
    HideFieldControls();
    playClick();
    const Sheet* pages[] = { nullptr, &m_images.optionsPage, &m_images.serverPage, &m_images.connectPage,
        &m_images.themesPage, &m_images.chatPage };
    const int index = static_cast<int>(screen) - 1;
    if (index > 0 && index < int(std::size(pages)))
        paintPageBackground(m_skin.picForm, pages[index]->get());
    m_screen = screen;
    m_picForm->update();
    PaintToolbarButtons();
}

void MainWindow::layOutFieldsPage(GameMode mode)
{
    const bool fieldsShown = m_screen == Screen::Fields;
    const bool internet = mode == GameMode::Internet;
    if (internet) {
        m_lblCliName->setText(QStringLiteral("1. (Not Playing)"));
        if (fieldsShown) {
            m_sidePanels[0]->raise();
            ShowInternetFields();
            paintFieldsBackground(mode);
        }
        m_sidePanels[1]->hide();
    } else {
        if (fieldsShown) {
            ShowLocalFields();
            paintFieldsBackground(mode);
        }
        if (mode == GameMode::TwoPlayers) {
            if (fieldsShown)
                m_sidePanels[1]->show();
            m_lblScore->hide();
            m_lblScoreLabel->hide();
            m_lblActiveLevel[1]->show();
        } else {
            m_lblActiveLevel[1]->hide();
            m_sidePanels[1]->hide();
        }
        HideInternetFields();
        m_lblCliName->setText(QStringLiteral("Player 1"));
    }
    button(MenuBarButton::Connect).view->setVisible(internet);
    button(MenuBarButton::Server).view->setVisible(internet);
    button(MenuBarButton::Chat).view->setVisible(internet);
    button(MenuBarButton::Help).view->setVisible(!internet);
}

void MainWindow::ShowLocalFields()
{
    for (int p = 1; p <= 2; ++p) {
        m_picField[size_t(p)]->show();
        m_lblSpec[size_t(p)]->show();
        m_picSpecials[size_t(p)]->show();
        m_picLeds[size_t(p)]->show();
    }
    m_rtSpecials->show();
    m_txtTalk->hide();
    m_lblCliName->show();
    m_lblPlayer2->show();
    m_sidePanels[1]->show();
    m_sidePanels[0]->show();
    const bool onePlayer = m_state->GameMode == GameMode::OnePlayer;
    m_lblScore->setVisible(onePlayer);
    m_lblScoreLabel->setVisible(onePlayer);
}

void MainWindow::ShowInternetFields()
{
    for (int board = 1; board <= kInternetFields; ++board) {
        m_picInternetfield[size_t(board)]->show();
        m_lblInetName[size_t(board)]->show();
    }
    for (QWidget* widget : std::initializer_list<QWidget*>{ m_picField[2], m_lblPlayer2, m_lblSpec[2],
             m_picSpecials[2], m_picLeds[2], m_lblScore, m_lblScoreLabel })
        widget->hide();
}

void MainWindow::HideInternetFields()
{
    for (int board = 1; board <= kInternetFields; ++board) {
        m_picInternetfield[size_t(board)]->hide();
        m_lblInetName[size_t(board)]->hide();
    }
}

void MainWindow::HideFieldControls()
{
    for (int p = 1; p <= 2; ++p) {
        m_picField[size_t(p)]->hide();
        m_lblSpec[size_t(p)]->hide();
        m_picSpecials[size_t(p)]->hide();
        m_picLeds[size_t(p)]->hide();
    }
    for (QWidget* widget : std::initializer_list<QWidget*>{
             m_rtSpecials, m_txtTalk, m_lblCliName, m_lblPlayer2, m_sidePanels[1], m_sidePanels[0] })
        widget->hide();
    // Not listed by the page's procedures, but they lie over the side panel.
    m_lblScore->hide();
    m_lblScoreLabel->hide();
    HideInternetFields();
}

void MainWindow::showActiveLevels(bool shown)
{
    m_lblActiveLevel[1]->setVisible(shown);
    m_lblActiveLevel[2]->setVisible(shown);
}

void MainWindow::showSidePanels(GameMode mode)
{
    m_sidePanels[0]->show();
    m_sidePanels[0]->raise();
    m_sidePanels[1]->setVisible(mode == GameMode::TwoPlayers);
    m_sidePanels[1]->raise();
    // The name and score labels lie over the panels.
    for (QLabel* label : { m_lblCliName, m_lblPlayer2, m_lblScoreLabel, m_lblScore })
        label->raise();
}

void MainWindow::setAnimationBoxEnabled(AnimationBox box, bool enabled)
{
    m_animationBoxEnabled.at(static_cast<size_t>(box)) = enabled;
}

bool MainWindow::animationBoxEnabled(AnimationBox box) const
{
    return m_animationBoxEnabled.at(static_cast<size_t>(box));
}

// --- the fields page's pictures and labels ---

void MainWindow::attachPictures(WindowPictures& pictures)
{
    for (size_t p = 1; p <= 2; ++p) {
        m_picField[p]->showBox(pictures.picField[p]);
        m_picLeds[p]->showBox(pictures.picLeds[p]);
        m_picNextPiece[p]->showBox(pictures.picNextPiece[p]);
        m_picSpecials[p]->showBox(pictures.picSpecials[p]);
    }
    for (size_t board = 1; board <= kInternetFields; ++board)
        m_picInternetfield[board]->showBox(pictures.picInternetfield[board]);
}

FieldView& MainWindow::field(int p)
{
    return *m_picField.at(size_t(p));
}

PictureView& MainWindow::leds(int p)
{
    return *m_picLeds.at(size_t(p));
}

PictureView& MainWindow::nextPiece(int p)
{
    return *m_picNextPiece.at(size_t(p));
}

PictureView& MainWindow::specials(int p)
{
    return *m_picSpecials.at(size_t(p));
}

PictureView& MainWindow::internetField(int board)
{
    return *m_picInternetfield.at(size_t(board));
}

PictureView& MainWindow::sidePanel(int p)
{
    return *m_sidePanels.at(size_t(p - 1));
}

QLabel& MainWindow::label(LabelId id, int p)
{
    const size_t player = p == 2 ? 2 : 1;
    switch (id) {
    case LabelId::Lines: return *m_lblLines[player];
    case LabelId::Quads: return *m_lblQuads[player];
    case LabelId::Score: return *m_lblScore;
    case LabelId::Spec: return *m_lblSpec[player];
    case LabelId::Level: return *m_lblLevel[player];
    case LabelId::ActiveLevel: return *m_lblActiveLevel[player];
    }
    return *m_lblScore;
}

void MainWindow::setLabel(LabelId id, int p, BytesView text)
{
    if (p != 1 && p != 2)
        return;
    const QString value = toQString(text);
    if (id == LabelId::ActiveLevel) {
        m_lblActiveLevel[1]->setText(value);
        m_lblActiveLevel[2]->setText(value);
        return;
    }
    QLabel& target = label(id, p);
    if (target.text() != value)
        target.setText(value);
}

void MainWindow::setLinesPerMinute(int p, BytesView text)
{
    if (p != 1 && p != 2)
        return;
    const QString value = toQString(text);
    if (m_lblLPM[size_t(p)]->text() != value)
        m_lblLPM[size_t(p)]->setText(value);
}

QLabel& MainWindow::linesPerMinute(int p)
{
    return *m_lblLPM.at(size_t(p));
}

QLabel& MainWindow::nameLabel(int p)
{
    return p == 2 ? *m_lblPlayer2 : *m_lblCliName;
}

QLabel& MainWindow::internetName(int board)
{
    return *m_lblInetName.at(size_t(board));
}

QLabel& MainWindow::scoreLabel()
{
    return *m_lblScoreLabel;
}

QTextEdit& MainWindow::specialsLog()
{
    return *m_rtSpecials;
}

QLineEdit& MainWindow::talkBox()
{
    return *m_txtTalk;
}

// --- focus and chrome ---

void MainWindow::FocusField()
{
    if (m_screen == Screen::Fields && m_picField[1]->isVisible())
        m_picField[1]->setFocus(Qt::OtherFocusReason);
}

void MainWindow::openTalkBox(bool teamChat)
{
    if (teamChat)
        m_txtTalk->setText(QStringLiteral("/sayteam "));
    m_txtTalk->show();
    m_txtTalk->raise();
    m_txtTalk->setCursorPosition(int(m_txtTalk->text().size()));
    m_txtTalk->setFocus();
}

void MainWindow::closeTalkBox()
{
    m_txtTalk->clear();
    m_txtTalk->hide();
    FocusField();
}

void MainWindow::ClearTopmost()
{
    if (m_aroundModal)
        m_aroundModal(false);
}

void MainWindow::ApplyStayOnTop()
{
    if (m_aroundModal)
        m_aroundModal(true);
}

void MainWindow::focusFieldOnFieldsPage()
{
    if (m_screen == Screen::Fields)
        FocusField();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // The shut-down sequence ends the program itself.
    event->ignore();
    emit unloadRequested();
}

void MainWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_state->GameActive)
        FocusField();
}

} // namespace kalvon
