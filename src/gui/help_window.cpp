#include "gui/help_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "util/whole_file.h"

namespace burnlab {
namespace {

constexpr int kTopicRole = Qt::UserRole;
// Far more than any help document holds.
constexpr std::uintmax_t kHelpFileLimit = 16 * 1024 * 1024;

}  // namespace

HelpWindow::HelpWindow(QWidget* owner) : QDialog(owner) {
  setObjectName("HelpWindow");
  resize(860, 560);

  contents_ = new QListWidget;
  contents_->setObjectName("HelpContents");
  keyword_ = new QLineEdit;
  keyword_->setObjectName("HelpKeyword");
  keyword_->setPlaceholderText(tr("Type the first letters of a word"));
  keywords_ = new QListWidget;
  keywords_->setObjectName("HelpKeywords");

  auto* search = new QWidget;
  auto* searchLayout = new QVBoxLayout(search);
  searchLayout->addWidget(new QLabel(tr("&Type a word to look for:"), search));
  searchLayout->addWidget(keyword_);
  searchLayout->addWidget(keywords_, 1);
  qobject_cast<QLabel*>(searchLayout->itemAt(0)->widget())->setBuddy(keyword_);

  tabs_ = new QTabWidget;
  tabs_->addTab(contents_, tr("&Contents"));
  tabs_->addTab(search, tr("&Search"));

  topic_ = new QTextBrowser;
  topic_->setObjectName("HelpTopic");
  topic_->setOpenExternalLinks(true);

  auto* splitter = new QSplitter(this);
  splitter->addWidget(tabs_);
  splitter->addWidget(topic_);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({260, 600});
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(splitter);

  auto topicOf = [](QListWidgetItem* item) {
    return static_cast<std::size_t>(item->data(kTopicRole).toULongLong());
  };
  connect(contents_, &QListWidget::currentItemChanged, this,
          [this, topicOf](QListWidgetItem* item) {
            if (item) showTopic(topicOf(item));
          });
  connect(keywords_, &QListWidget::itemActivated, this,
          [this, topicOf](QListWidgetItem* item) { showTopic(topicOf(item)); });
  connect(keywords_, &QListWidget::itemClicked, this,
          [this, topicOf](QListWidgetItem* item) { showTopic(topicOf(item)); });
  connect(keyword_, &QLineEdit::textChanged, this, &HelpWindow::fillKeywords);
  connect(keyword_, &QLineEdit::returnPressed, this, [this] {
    if (keywords_->count() > 0) showTopic(keywords_->item(0)->data(kTopicRole).toULongLong());
  });
}

std::optional<std::string> HelpWindow::open(const HelpRequest& request) {
  // Read as any file the program reads: a FIFO or device in its place is refused, not waited on.
  const auto file = readWholeFile(request.file, kHelpFileLimit);
  if (!file.read()) return "Cannot open the help file " + request.file.string() + ".";
  document_ =
      HelpDocument::parse({reinterpret_cast<const char*>(file.bytes.data()), file.bytes.size()});
  if (document_.topics().empty()) {
    return "The help file " + request.file.string() + " holds no help topics.";
  }
  setWindowTitle(QString::fromStdString(document_.title()));
  fillContents();
  if (request.command == HelpCommand::PartialKey) {
    tabs_->setCurrentIndex(1);
    keyword_->setText(QString::fromStdString(request.keyword));
    fillKeywords(keyword_->text());
    keyword_->setFocus();
  } else {
    tabs_->setCurrentIndex(0);
    contents_->setCurrentRow(0);
  }
  show();
  raise();
  activateWindow();
  return std::nullopt;
}

void HelpWindow::fillContents() {
  contents_->clear();
  for (std::size_t topic = 0; topic < document_.topics().size(); ++topic) {
    auto* item = new QListWidgetItem(QString::fromStdString(document_.topics()[topic].title));
    item->setData(kTopicRole, static_cast<qulonglong>(topic));
    contents_->addItem(item);
  }
}

void HelpWindow::fillKeywords(const QString& partialKey) {
  keywords_->clear();
  for (const auto& hit : document_.search(partialKey.toStdString())) {
    const auto& title = document_.topics()[hit.topic].title;
    auto* item = new QListWidgetItem(QString::fromStdString(hit.keyword + "  -  " + title));
    item->setData(kTopicRole, static_cast<qulonglong>(hit.topic));
    keywords_->addItem(item);
  }
}

void HelpWindow::showTopic(std::size_t topic) {
  if (topic >= document_.topics().size()) return;
  const auto& shown = document_.topics()[topic];
  {
    // The contents follow a topic chosen through the search.
    const QSignalBlocker blocker(contents_);
    contents_->setCurrentRow(static_cast<int>(topic));
  }
  topic_->setMarkdown(QString::fromStdString("# " + shown.title + "\n\n" + shown.body));
}

}  // namespace burnlab
