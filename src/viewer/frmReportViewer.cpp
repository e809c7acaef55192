#include "qvc/viewer/frmReportViewer.h"

#include <fmt/format.h>

#include <QAction>
#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <filesystem>
#include <system_error>

#include "ToolbarIcons.h"
#include "qvc/runtime/Error.h"
#include "qvc/ui/FixedViewerEnvironment.h"
#include "qvc/ui/Printer.h"
#include "qvc/ui/Services.h"
#include "qvc/viewer/FileNames.h"

namespace qvc::viewer {

namespace {

constexpr int16_t kZoomStep = 25;
constexpr int16_t kZoomMin = 25;
constexpr int16_t kZoomMax = 200;
constexpr int kLoadHeightReductionTwips = 400;

enum Button { kSave = 1, kPrint, kPrevious, kNext, kZoomIn, kZoomOut };

}  // namespace

frmReportViewer::frmReportViewer(std::shared_ptr<const ui::ViewerEnvironment> environment,
                                 QWidget* parent)
    : QMainWindow(parent),
      env_(environment ? std::move(environment)
                       : std::make_shared<ui::FixedViewerEnvironment>(
                             ui::FixedViewerEnvironment::english())),
      dlgReport_(std::make_shared<DialogSaveFileChooser>()) {
    setObjectName(QStringLiteral("frmReportViewer"));
    setWindowTitle(QStringLiteral("Report Viewer"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    Toc1 = new DocumentView(this);
    setCentralWidget(Toc1);
    buildMenus();
    buildToolbar();
    Form_Load();
}

frmReportViewer::~frmReportViewer() {
    if (m_Doc && m_Doc->attachedWindow() == Toc1) {
        m_Doc->AttachWindow(nullptr, 0);
    }
}

void frmReportViewer::buildMenus() {
    mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnusavereportas = mnuFile->addAction(QStringLiteral("&Save Report As"));
    mnusavereportas->setObjectName(QStringLiteral("mnusavereportas"));
    mnuprint = mnuFile->addAction(QStringLiteral("&Print"));
    mnuprint->setObjectName(QStringLiteral("mnuprint"));
    mnuexit = mnuFile->addAction(QStringLiteral("E&xit"));
    mnuexit->setObjectName(QStringLiteral("mnuexit"));

    // Alt+H opens this menu through its mnemonic.
    mnuHelp = menuBar()->addMenu(QStringLiteral("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuhowtouse = mnuHelp->addAction(QStringLiteral("How to Use the &Report Viewer"));
    mnuhowtouse->setObjectName(QStringLiteral("mnuhowtouse"));
    mnuhowtouse->setVisible(false);

    connect(mnusavereportas, &QAction::triggered, this, [this] { SaveDocument(); });
    connect(mnuprint, &QAction::triggered, this, [this] { PrintReport(0); });
    connect(mnuexit, &QAction::triggered, this, [this] { close(); });
    connect(mnuHelp, &QMenu::aboutToShow, this, [this] { mnuhowtouse->setVisible(true); });
    connect(mnuhowtouse, &QAction::triggered, this, [this] { env_->showHelp(HelpContextID); });
}

void frmReportViewer::buildToolbar() {
    tlbReport = addToolBar(QStringLiteral("tlbReport"));
    tlbReport->setObjectName(QStringLiteral("tlbReport"));
    tlbReport->setMovable(false);
    tlbReport->setFloatable(false);
    tlbReport->setIconSize(QSize(24, 24));
    tlbReport->setContextMenuPolicy(Qt::PreventContextMenu);
    const struct {
        ToolbarIcon icon;
        const char* tip;
    } kButtons[] = {{ToolbarIcon::Save, "Save the report as an RTF file"},
                    {ToolbarIcon::Print, "Print the report"},
                    {ToolbarIcon::Previous, "Previous report"},
                    {ToolbarIcon::Next, "Next report"},
                    {ToolbarIcon::ZoomIn, "Zoom in"},
                    {ToolbarIcon::ZoomOut, "Zoom out"}};
    for (int i = 0; i < 6; ++i) {
        QAction* a = tlbReport->addAction(toolbarIcon(kButtons[i].icon), QString());
        a->setToolTip(QString::fromLatin1(kButtons[i].tip));
        a->setObjectName(QStringLiteral("tlbReportButton%1").arg(i + 1));
        buttons_[static_cast<size_t>(i)] = a;
        connect(a, &QAction::triggered, this, [this, i] { tlbReport_ButtonClick(i + 1); });
        if (i == 1 || i == 3) {
            tlbReport->addSeparator();
        }
    }
    tlbReport->setMouseTracking(true);
    tlbReport->installEventFilter(this);
    for (QAction* a : buttons_) {
        if (QWidget* w = tlbReport->widgetForAction(a)) {
            w->setMouseTracking(true);
            w->installEventFilter(this);
        }
    }
}

void frmReportViewer::showError(const char* procedure) {
    rt::ErrorInfo info = rt::describeCurrentException();
    std::string record =
        fmt::format("{}#{}#{}#FrmReportViewer#", info.number, info.description, procedure);
    try {
        ui::Services::messageBox()->show(env_->formatError(record), 0, "");
    } catch (...) {
        // Nothing is left to report to when the message itself fails.
    }
}

void frmReportViewer::Form_Load() {
    try {
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect s = screen->geometry();
            const int reduction = kLoadHeightReductionTwips * logicalDpiY() / 1440;
            setGeometry(s.left(), s.top(), s.width(), std::max(200, s.height() - reduction));
        }
        button(kPrevious)->setEnabled(true);
        button(kNext)->setEnabled(true);
        zoom_ = 100;
    } catch (...) {
        showError("Form_Load");
    }
}

void frmReportViewer::setSaveFileChooser(std::shared_ptr<SaveFileChooser> chooser) {
    dlgReport_ = chooser ? std::move(chooser) : std::make_shared<DialogSaveFileChooser>();
}

void frmReportViewer::syncView() {
    if (!m_Doc) {
        Toc1->showDocument(nullptr, 0);
        return;
    }
    // The view follows the documents through DocumentHost when attached; a
    // DocumentObject attached elsewhere is shown directly.
    if (m_Doc->attachedWindow() != Toc1) {
        Toc1->setZoom(m_Doc->zoom());
        Toc1->showDocument(m_Doc, m_Doc->activeIndex());
    }
}

void frmReportViewer::SetDocument(doc::DocumentObject& docs) {
    m_Doc = &docs;
    m_Doc->SetZoom(zoom_);
    Toc1->setZoom(zoom_);
    Toc1->showDocument(m_Doc, m_Doc->activeIndex());
}

void frmReportViewer::showModal() {
    setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    connect(this, &frmReportViewer::closed, &loop, &QEventLoop::quit);
    show();
    raise();
    activateWindow();
    QTimer::singleShot(0, this, [this] { Form_Activate(); });
    if (isVisible()) {
        loop.exec();
    }
    setWindowModality(Qt::NonModal);
}

void frmReportViewer::Form_Activate() {
    if (!activationNotice_.empty()) {
        ui::Services::messageBox()->show(activationNotice_, 0, "");
    }
}

void frmReportViewer::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
    emit closed();
}

void frmReportViewer::Form_Unload() {
    if (unloaded_) {
        return;
    }
    unloaded_ = true;
    try {
        if (m_Doc) {
            for (int32_t i = 1; i <= m_Doc->DocumentCount(); ++i) {
                const doc::Document& d = m_Doc->document(i);
                std::filesystem::path file = std::filesystem::path(d.FileFolder()) / d.FileName();
                std::error_code ec;
                // Only a working file this run created: a file of that name that
                // was there before (a report saved earlier, say) is the user's.
                if (m_Doc->CreatedFile(file) && std::filesystem::is_regular_file(file, ec)) {
                    std::filesystem::remove(file, ec);
                }
            }
            if (m_Doc->attachedWindow() == Toc1) {
                m_Doc->AttachWindow(nullptr, 0);
            }
        }
    } catch (...) {
        showError("Form_Unload");
    }
    // The window holds the documents only while it is loaded.
    m_Doc = nullptr;
}

bool frmReportViewer::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseMove:
        case QEvent::HoverMove:
        case QEvent::HoverEnter:
            tlbReport_MouseMove();
            break;
        default:
            break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmReportViewer::tlbReport_MouseMove() {
    try {
        if (!m_Doc) {
            return;
        }
        if (m_Doc->DocumentCount() < 2) {
            button(kPrevious)->setEnabled(false);
            button(kNext)->setEnabled(false);
        } else if (m_Doc->activeIndex() == 1) {
            button(kPrevious)->setEnabled(false);
        }
    } catch (...) {
        showError("tlbReport_MouseMove");
    }
}

void frmReportViewer::tlbReport_ButtonClick(int index) {
    try {
        switch (index) {
            case kSave:
                SaveDocument();
                break;
            case kPrint:
                PrintReport(0);
                break;
            case kPrevious:
                previousOrNext(-1);
                break;
            case kNext:
                previousOrNext(+1);
                break;
            case kZoomIn:
                zoomBy(kZoomStep);
                break;
            case kZoomOut:
                zoomBy(-kZoomStep);
                break;
            default:
                break;
        }
    } catch (...) {
        showError("tlbReport_ButtonClick");
    }
}

void frmReportViewer::previousOrNext(int step) {
    if (!m_Doc) {
        return;
    }
    Toc1->setVisible(false);
    struct ShowAgain {
        QWidget* w;
        ~ShowAgain() { w->setVisible(true); }
    } showAgain{Toc1};
    const int32_t target = m_Doc->activeIndex() + step;
    if (target >= 1 && target <= m_Doc->DocumentCount()) {
        zoom_ = 100;
        m_Doc->SetZoom(zoom_);
        button(kZoomIn)->setEnabled(true);
        button(kZoomOut)->setEnabled(true);
        m_Doc->ActivateDocument(target);
        syncView();
        button(kPrevious)->setEnabled(true);
        button(kNext)->setEnabled(true);
    }
    if (m_Doc->activeIndex() <= 1) {
        button(kPrevious)->setEnabled(false);
    }
    if (m_Doc->activeIndex() >= m_Doc->DocumentCount()) {
        button(kNext)->setEnabled(false);
    }
}

void frmReportViewer::zoomBy(int step) {
    zoom_ = static_cast<int16_t>(std::clamp(zoom_ + step, int(kZoomMin), int(kZoomMax)));
    if (m_Doc) {
        m_Doc->SetZoom(zoom_);
    }
    Toc1->setZoom(zoom_);
    button(kZoomIn)->setEnabled(true);
    button(kZoomOut)->setEnabled(true);
    if (zoom_ >= kZoomMax) {
        button(kZoomIn)->setEnabled(false);
    }
    if (zoom_ <= kZoomMin) {
        button(kZoomOut)->setEnabled(false);
    }
}

std::string frmReportViewer::GetFileNameFromPath(const std::string& path) {
    try {
        return viewer::GetFileNameFromPath(path);
    } catch (...) {
        showError("GetFileNameFromPath");
        return std::string();
    }
}

void frmReportViewer::SaveDocument() {
    try {
        if (!m_Doc || m_Doc->activeIndex() == 0) {
            return;
        }
        doc::Document& active = m_Doc->ActiveDocument();
        SaveFileRequest request;
        request.title = QString::fromStdString(env_->text("gXstrSaveRpt"));
        request.filters = {
            QString::fromStdString(env_->text("gXstrReportFiles")) + QStringLiteral(" (*.rtf)"),
            QString::fromStdString(env_->text("gXstrAllFiles")) + QStringLiteral(" (*)")};
        request.fileName = QString::fromStdString(active.FileName());
        request.folder = QString::fromStdString(env_->tempFolder());
        std::optional<QString> chosen = dlgReport_->choose(this, request);
        if (!chosen || chosen->isEmpty()) {
            return;
        }
        const std::string path = chosen->toStdString();
        const std::string name = active.FileName();
        const std::string folder = active.FileFolder();
        active.SetFileName(GetFileNameFromPath(path));
        active.SetFileFolder(GetFolderFromPath(path));
        try {
            m_Doc->WriteDocument(active.Index(), 0);
        } catch (...) {
            active.SetFileName(name);
            active.SetFileFolder(folder);
            throw;
        }
        active.SetFileName(name);
        active.SetFileFolder(folder);
    } catch (...) {
        showError("SaveDocument");
    }
}

void frmReportViewer::PrintReport(int16_t flag) {
    try {
        if (!m_Doc || m_Doc->activeIndex() == 0) {
            return;
        }
        ui::printDocument(*m_Doc, m_Doc->activeIndex(), flag == 0);
    } catch (...) {
        showError("PrintReport");
    }
}

}  // namespace qvc::viewer
