// The PDF engine: the PDF reader object on Qt PDF, its pages one below the other.
#include <QObject>
#include <QPdfDocument>
#include <QPdfView>
#include <QPointer>

#include "objects/MediaEngines.h"

namespace {

// A view owning its document. The document goes first: closing it while the view is half destroyed
// would report its status to a view that is no longer there.
class TOwningPdfView : public QPdfView {
 public:
  explicit TOwningPdfView(QWidget* parent) : QPdfView(parent) { setDocument(new QPdfDocument(this)); }
  ~TOwningPdfView() override {
    QPdfDocument* d = document();
    setDocument(nullptr);
    delete d;
  }
};

class TQtDocumentView : public TDocumentView {
 public:
  explicit TQtDocumentView(QWidget* parent) : FView(new TOwningPdfView(parent)), FDocument(FView->document()) {
    FView->setPageMode(QPdfView::PageMode::MultiPage);
    FView->setZoomMode(QPdfView::ZoomMode::FitToWidth);
  }
  // The view and its document belong to the view's parent; the shell may let go of them first.
  QWidget* Widget() const override { return FView; }
  bool LoadFile(const QString& fileName) override {
    return FDocument && FDocument->load(fileName) == QPdfDocument::Error::None;
  }
  int PageCount() const override { return FDocument ? FDocument->pageCount() : 0; }

 private:
  QPointer<QPdfView> FView;
  QPointer<QPdfDocument> FDocument;
};

}  // namespace

class TPdfPlugin : public QObject, public TEnginePlugin {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID MENUVIA_ENGINE_PLUGIN_IID)
  Q_INTERFACES(TEnginePlugin)

 public:
  std::unique_ptr<TDocumentView> CreateDocumentView(QWidget* parent) override {
    return std::make_unique<TQtDocumentView>(parent);
  }
};

#include "PdfPlugin.moc"
