#pragma once
// The report viewer window: the built report documents are read, paged through,
// zoomed, saved as RTF files elsewhere and printed here. The report builder
// loads it hidden, attaches its DocumentObject to the document view Toc1, draws
// its charts with Pego1, hands the documents over with SetDocument and shows the
// window modally. Closing it deletes the report documents' working files.
//
// Toolbar tlbReport, buttons by index: 1 save, 2 print, 3 previous document,
// 4 next document, 5 zoom in (by 25 up to 200), 6 zoom out (down to 25).
// Every handler catches its failures and shows the three-line error message.
//
// The DocumentObject handed over must outlive the window or its unloading
// (Form_Unload), which lets go of it.

#include <QMainWindow>
#include <array>
#include <memory>
#include <string>

#include "qvc/document/DocumentObject.h"
#include "qvc/graph/ChartRenderer.h"
#include "qvc/ui/ViewerEnvironment.h"
#include "qvc/viewer/DocumentView.h"
#include "qvc/viewer/Export.h"
#include "qvc/viewer/SaveFileChooser.h"

class QAction;
class QMenu;
class QToolBar;

namespace qvc::viewer {

class QVC_VIEWER_EXPORT frmReportViewer : public QMainWindow {
    Q_OBJECT
  public:
    // The help context of the window: the anchor ctx-1000 of the help page.
    static constexpr int32_t HelpContextID = 1000;

    explicit frmReportViewer(std::shared_ptr<const ui::ViewerEnvironment> environment,
                             QWidget* parent = nullptr);
    ~frmReportViewer() override;

    // m_Doc = docs; m_Doc.SetZoom(zoom); the active document is shown.
    void SetDocument(doc::DocumentObject& docs);
    void SaveDocument();
    void PrintReport(int16_t flag);
    std::string GetFileNameFromPath(const std::string& path);

    // Shows the window application-modal and returns when it has been closed.
    void showModal();
    // The unloading: deletes every report document's working file (once) and
    // detaches the documents from the view.
    void Form_Unload();

    // Toolbar button `index` (1..6) as a click on it.
    void tlbReport_ButtonClick(int index);
    void tlbReport_MouseMove();
    // Shows the activation notice, if there is one.
    void Form_Activate();
    // The message Form_Activate shows (the text cash-flow file the build
    // wrote); empty = none.
    void setActivationNotice(std::string notice) { activationNotice_ = std::move(notice); }

    QAction* button(int index) const { return buttons_.at(static_cast<size_t>(index - 1)); }
    int16_t zoom() const { return zoom_; }
    doc::DocumentObject* m_Doc = nullptr;
    DocumentView* Toc1 = nullptr;
    graph::ChartRenderer Pego1;
    QToolBar* tlbReport = nullptr;
    QMenu* mnuFile = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnusavereportas = nullptr;
    QAction* mnuprint = nullptr;
    QAction* mnuexit = nullptr;
    QAction* mnuhowtouse = nullptr;

    // Replaces the save dialog (tests drive the window without one).
    void setSaveFileChooser(std::shared_ptr<SaveFileChooser> chooser);

  signals:
    void closed();

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Form_Load();
    void buildMenus();
    void buildToolbar();
    void showError(const char* procedure);
    void previousOrNext(int step);
    void zoomBy(int step);
    void syncView();

    std::shared_ptr<const ui::ViewerEnvironment> env_;
    std::shared_ptr<SaveFileChooser> dlgReport_;
    std::array<QAction*, 6> buttons_{};
    int16_t zoom_ = 100;
    bool unloaded_ = false;
    std::string activationNotice_;
};

}  // namespace qvc::viewer
