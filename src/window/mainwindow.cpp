#include "window/mainwindow.h"

#include "engine/state.h"
#include "platform/qtext.h"
#include "platform/windowutils.h"
#include "render/themeimages.h"
#include "render/themepaths.h"
#include "render/themeresources.h"
#include "render/windowskin.h"
#include "window/fieldview.h"
#include "window/menus/filemenu.h"
#include "window/menus/gamemodemenu.h"
#include "window/pages/chatpage.h"
#include "window/pages/connectpage.h"
#include "window/pages/fieldspage.h"
#include "window/pages/optionspage.h"
#include "window/pages/serverpage.h"
#include "window/pages/themespage.h"
#include "window/pictureview.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QWindow>

namespace kalvon {

namespace {

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
    , m_themeRecords(themes)
    , m_state(&noGame())
{
    setFixedSize(kWindowWidth, kWindowHeight);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    setFont(font);
    setWindowTitle(QStringLiteral("Kalvon"));

    buildTitleBar();
    m_picForm = new PictureView(this);
    m_picForm->setObjectName(QStringLiteral("picForm"));
    m_picForm->setGeometry(0, kTitleBarHeight, kWindowWidth, kFormHeight);
    m_picForm->setSurface(&m_skin.picForm);
    connect(m_picForm, &PictureView::mouseMoved, this, &MainWindow::pointerOffMenuBar);
    connect(m_picForm, &PictureView::pressed, this, &MainWindow::focusFieldOnFieldsPage);
    buildPages();
    buildMenuBar();
    SetupMenuButtons();
}

MainWindow::~MainWindow() = default;

// --- construction ---

void MainWindow::buildTitleBar()
{
    m_picTitleBar = new PictureView(this);
    m_picTitleBar->setObjectName(QStringLiteral("picTitleBar"));
    m_picTitleBar->setGeometry(0, 0, kWindowWidth, kTitleBarHeight);
    m_picTitleBar->setSurface(&m_skin.picTitleBar);
    connect(m_picTitleBar, &PictureView::pressed, this, [this] { DragForm(windowHandle()); });
    connect(m_picTitleBar, &PictureView::mouseMoved, this, &MainWindow::pointerOffMenuBar);

    m_imgIcon = new QLabel(m_picTitleBar);
    m_imgIcon->setObjectName(QStringLiteral("imgIcon"));
    m_imgIcon->setGeometry(4, 2, 16, 16);
    auto* iconArea = new HitArea(m_picTitleBar);
    iconArea->setGeometry(m_imgIcon->geometry());
    connect(iconArea, &HitArea::pressed, this, &MainWindow::iconPressed);

    m_lblCaption = new QLabel(QStringLiteral("Kalvon v1.91"), m_picTitleBar);
    m_lblCaption->setObjectName(QStringLiteral("lblCaption"));
    m_lblCaption->setGeometry(24, 3, 360, 14);
    m_lblCaption->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto* captionArea = new HitArea(m_picTitleBar);
    captionArea->setGeometry(m_lblCaption->geometry());
    connect(captionArea, &HitArea::pressed, this, [this] {
        focusFieldOnFieldsPage();
        DragForm(windowHandle());
    });
    connect(captionArea, &HitArea::mouseMoved, this, &MainWindow::pointerOffMenuBar);

    m_lblMinimize = new HitArea(m_picTitleBar);
    m_lblMinimize->setObjectName(QStringLiteral("lblMinimize"));
    m_lblMinimize->setGeometry(596, 2, 18, 16);
    connect(m_lblMinimize, &HitArea::clicked, this, &QWidget::showMinimized);
    m_lblExit = new HitArea(m_picTitleBar);
    m_lblExit->setObjectName(QStringLiteral("lblExit"));
    m_lblExit->setGeometry(618, 2, 18, 16);
    connect(m_lblExit, &HitArea::clicked, this, &MainWindow::unloadRequested);
}

void MainWindow::buildPages()
{
    m_fields = new FieldsPage(*m_picForm, m_skin.sidePanels, this);
    connect(m_fields, &FieldsPage::decorationPressed, this, &MainWindow::focusFieldOnFieldsPage);
    connect(m_fields, &FieldsPage::pointerOverField, this, &MainWindow::pointerOffMenuBar);
    connect(m_fields, &FieldsPage::secondFieldFocused, this, &MainWindow::FocusField);
    m_options = new OptionsPage(*m_picForm, *this, this);
    connect(m_options, &OptionsPage::captionRequested, this,
        [this](const QString& text) { setCaption(fromQString(text)); });
    m_server = new ServerPage(*m_picForm, this);
    m_connect = new ConnectPage(*m_picForm, this);
    m_themes = new ThemesPage(*m_picForm, this);
    m_chat = new ChatPage(*m_picForm, this);
}

void MainWindow::buildMenuBar()
{
    m_menuBar = new MenuBar(*m_picForm, m_skin, m_images, m_themeRecords, *this, this);
    connect(m_menuBar, &MenuBar::pageChosen, this, &MainWindow::showPage);
    connect(&m_menuBar->fileMenu(), &DropDownMenu::rowHovered, this, &MainWindow::fileMarkerMoved);
    connect(&m_menuBar->fileMenu(), &DropDownMenu::rowClicked, this, &MainWindow::fileMarkerClicked);
    connect(&m_menuBar->gameModeMenu(), &DropDownMenu::rowHovered, this, &MainWindow::gameModeMarkerMoved);
    connect(&m_menuBar->gameModeMenu(), &DropDownMenu::rowClicked, this, &MainWindow::gameModeMarkerClicked);
}

QWidget& MainWindow::pageArea()
{
    return *m_picForm;
}

// --- skin ---

void MainWindow::showSkin()
{
    m_picTitleBar->update();
    m_picForm->update();
    m_menuBar->showSkin();
    m_fields->showSkin();
}

void MainWindow::ApplyThemeLabelColors(const ColorTable& colors)
{
    setLabelColor(m_lblCaption, colors[kColorTitle]);
    m_fields->colorLabels(colors);
    m_options->colorLabels(colors);
    m_connect->colorLabels(colors);
    m_server->colorLabels(colors);
    m_themes->colorLabels(colors);
    m_fields->colorInternetNames(colors);
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

void MainWindow::showStartupTexts(BytesView version)
{
    m_connect->showCredits();
    m_themes->showBrowserVersion(kThemeBrowserVersion);
    m_fields->showBanner(version);
    m_chat->copyText(m_fields->specialsLog());
    m_themes->fillSoundList();
}

void MainWindow::setIcon(const QPixmap& icon)
{
    m_imgIcon->setPixmap(icon);
}

// --- menu bar ---

void MainWindow::SetupMenuButtons()
{
    m_menuBar->SetupMenuButtons(m_picTitleBar->width());
}

void MainWindow::PaintToolbarButtons()
{
    m_menuBar->PaintToolbarButtons();
}

void MainWindow::setOffline(bool offline)
{
    m_offline = offline;
}

void MainWindow::DrawFileMenu(int hover)
{
    m_menuBar->fileMenu().DrawFileMenu(FileMenuLook{ m_state->GameStarted, m_state->GamePaused, hover });
}

void MainWindow::DrawGameModeMenu(int hover)
{
    m_menuBar->gameModeMenu().DrawGameModeMenu(static_cast<int>(m_state->GameMode) - 1, hover);
}

void MainWindow::showFileMenu(bool shown)
{
    m_menuBar->fileMenu().setVisible(shown);
    if (shown)
        m_menuBar->fileMenu().raise();
}

void MainWindow::showGameModeMenu(bool shown)
{
    m_menuBar->gameModeMenu().setVisible(shown);
    if (shown)
        m_menuBar->gameModeMenu().raise();
}

bool MainWindow::fileMenuShown() const
{
    return m_menuBar->fileMenu().isVisible();
}

void MainWindow::pointerOffMenuBar()
{
    m_menuBar->pointerLeft();
}

void MainWindow::playClick()
{
    if (m_playClick)
        m_playClick();
}

// --- the chat page's game buttons ---

void MainWindow::setStartButtonCaption(BytesView caption)
{
    m_chat->startGameButton().setText(toQString(caption));
}

void MainWindow::setPauseButtonCaption(BytesView caption)
{
    m_chat->pauseGameButton().setText(toQString(caption));
}

void MainWindow::setPauseButtonEnabled(bool enabled)
{
    m_chat->pauseGameButton().setEnabled(enabled);
}

void MainWindow::setBlockRatioFramesEnabled(bool enabled)
{
    m_blockRatioEnabled = enabled;
    emit blockRatioFramesChanged(enabled);
}

// --- pages ---

void MainWindow::paintFieldsBackground(GameMode mode)
{
    paintFieldsPageBackground(m_skin.picForm, m_images, mode);
    m_picForm->update();
}

void MainWindow::paintBackground(Screen screen)
{
    const Sheet* backgrounds[] = { &m_images.optionsPage, &m_images.serverPage, &m_images.connectPage,
        &m_images.themesPage, &m_images.chatPage };
    const int index = static_cast<int>(screen) - static_cast<int>(Screen::Options);
    if (index >= 0 && index < int(std::size(backgrounds)))
        paintPageBackground(m_skin.picForm, backgrounds[index]->get());
}

void MainWindow::refreshPageArea()
{
    m_picForm->update();
}

void MainWindow::showPage(Screen screen)
{
    switch (screen) {
    case Screen::Fields: ShowFieldScreen(); break;
    case Screen::Options: ShowOptionsScreen(); break;
    case Screen::Server: ShowServerScreen(); break;
    case Screen::Connect: ShowConnectScreen(); break;
    case Screen::Themes: ShowThemeScreen(); break;
    case Screen::Chat: ShowChatScreen(); break;
    }
}

void MainWindow::ShowFieldScreen()
{
    m_options->HideOptionsControls();
    m_connect->HideConnectControls();
    m_chat->HideChatControls();
    const GameMode mode = m_state->GameMode;
    m_fields->ShowLocalFields(mode);
    m_themes->HideThemeControls();
    m_server->HideServerControls();
    playClick();
    // The main picture's page, and in internet play the opponents' backdrop over it.
    paintFieldsBackground(mode);
    m_screen = Screen::Fields;
    if (mode == GameMode::Internet)
        m_fields->ShowInternetFields();
    else
        m_fields->HideInternetFields();
    refreshPageArea();
    showSidePanels(mode);
    // The menu bar shows the page at once.
    PaintToolbarButtons();
    FocusField();
}

void MainWindow::ShowOptionsScreen()
{
    playClick();
    paintBackground(Screen::Options);
    m_options->ShowOptionsControls();
    m_connect->HideConnectControls();
    m_chat->HideChatControls();
    m_fields->HideFieldControls();
    m_server->HideServerControls();
    m_themes->HideThemeControls();
    m_screen = Screen::Options;
    refreshPageArea();
    // The menu bar shows the page at once.
    PaintToolbarButtons();
}

void MainWindow::ShowServerScreen()
{
    m_options->HideOptionsControls();
    m_chat->HideChatControls();
    m_connect->HideConnectControls();
    m_fields->HideFieldControls();
    m_themes->HideThemeControls();
    m_server->ShowServerControls();
    paintBackground(Screen::Server);
    refreshPageArea();
    playClick();
    m_screen = Screen::Server;
    // The menu bar shows the page at once.
    PaintToolbarButtons();
}

void MainWindow::ShowConnectScreen()
{
    PaintToolbarButtons();
    if (m_offline) {
        m_screen = Screen::Connect;
        m_options->HideOptionsControls();
        m_chat->HideChatControls();
        m_fields->HideFieldControls();
        m_connect->ShowConnectControls();
        m_server->HideServerControls();
        m_themes->HideThemeControls();
        paintBackground(Screen::Connect);
        refreshPageArea();
        // The menu bar shows the page at once.
        PaintToolbarButtons();
    } else {
        // The page's button disconnects; the page shown stays.
        if (m_connection)
            m_connection->disconnectFromServer();
        m_connect->showConnectable();
        // Whatever the client did, the window ends disconnected.
        m_offline = true;
        PaintToolbarButtons();
    }
    m_menuBar->drawButton(MenuBarButton::Connect, ButtonTile::Current);
}

void MainWindow::ShowThemeScreen()
{
    m_screen = Screen::Themes;
    m_connect->HideConnectControls();
    m_chat->HideChatControls();
    m_fields->HideFieldControls();
    m_options->HideOptionsControls();
    m_server->HideServerControls();
    m_themes->ShowThemeControls();
    playClick();
    paintBackground(Screen::Themes);
    refreshPageArea();
    m_themes->fillThemeList(
        ListThemeFiles(folderText(m_programFolder / "data"), m_programFolder), m_options->themeBox().text());
    // The menu bar shows the page at once.
    PaintToolbarButtons();
}

void MainWindow::ShowChatScreen()
{
    m_chat->ShowChatControls();
    m_options->HideOptionsControls();
    m_connect->HideConnectControls();
    m_fields->HideFieldControls();
    m_server->HideServerControls();
    m_themes->HideThemeControls();
    paintBackground(Screen::Chat);
    refreshPageArea();
    playClick();
    m_screen = Screen::Chat;
    // The menu bar shows the page at once.
    PaintToolbarButtons();
}

void MainWindow::layOutFieldsPage(GameMode mode)
{
    const bool fieldsShown = m_screen == Screen::Fields;
    m_fields->layOutForMode(mode, fieldsShown);
    if (fieldsShown)
        paintFieldsBackground(mode);
    m_menuBar->showButtonsForMode(mode);
    // The side panel raised for internet play stays under a menu that is open.
    m_menuBar->raiseMenus();
}

void MainWindow::showSidePanels(GameMode mode)
{
    m_fields->showSidePanels(mode);
    m_menuBar->raiseMenus();
}

void MainWindow::setAnimationBoxEnabled(AnimationBox box, bool enabled)
{
    m_options->setAnimationBoxEnabled(box, enabled);
}

bool MainWindow::animationBoxEnabled(AnimationBox box) const
{
    return m_options->animationBoxEnabled(box);
}

// --- the fields page ---

void MainWindow::attachPictures(WindowPictures& pictures)
{
    m_fields->attachPictures(pictures);
    m_themes->attachPictures(pictures);
}

void MainWindow::setLabel(LabelId id, int p, BytesView text)
{
    m_fields->setLabel(id, p, text);
}

void MainWindow::setLinesPerMinute(int p, BytesView text)
{
    m_fields->setLinesPerMinute(p, text);
}

void MainWindow::showActiveLevels(bool shown)
{
    m_fields->showActiveLevels(shown);
}

// --- focus and chrome ---

void MainWindow::FocusField()
{
    FieldView& field = m_fields->field(1);
    if (m_screen == Screen::Fields && field.isVisible())
        field.setFocus(Qt::OtherFocusReason);
}

void MainWindow::openTalkBox(bool teamChat)
{
    m_fields->openTalkBox(teamChat);
}

void MainWindow::closeTalkBox()
{
    m_fields->closeTalkBox();
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
