// The first half of the kill test: a program with the real frame that opens the work file
// named on its command line and a new untitled one, changes both through the edit layer in
// every kind of way, waits until both recovery copies are on disk and then waits to be
// killed. Before it says "READY" it leaves the XML each window holds, as the test's
// measure of what must come back: EXPECTED_DIR/named.xml and EXPECTED_DIR/untitled.xml.
//
//   recovery_crash_helper WORKFILE EXPECTED_DIR
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <cstdio>
#include <functional>

#include "app/srcMain.h"
#include "model/Edits.h"
#include "model/srcGlobalDef.h"
#include "storage/WorkFileXml.h"
#include "support/TestServices.h"
#include "support/WorkFiles.h"
#include "workfile/RecoveryWriter.h"
#include "workfile/srcWorkfile.h"

using namespace orvela;

namespace {

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "recovery_crash_helper: %s\n", what);
  std::exit(2);
}

void WaitFor(const std::function<bool()>& done, const char* what) {
  const QDeadlineTimer deadline(60000);
  while (!done()) {
    if (deadline.hasExpired()) Fail(what);
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  }
}

void Execute(TfrmWorkFile* w, std::unique_ptr<EditCommand> command) {
  if (!w->editor().execute(std::move(command))) Fail("an edit changed nothing");
}

RecordNode* ItemNamed(TfrmWorkFile* w, const std::string& name) {
  for (RecordNode* n : w->data().structure.inTreeOrder())
    if (n->record.value(key::NAME) == name) return n;
  Fail("item missing");
}

// Changes of every part of the file: items added, changed, deleted; documents; the
// definition lists; the description.
void ChangeEverything(TfrmWorkFile* w) {
  Execute(w, edits::NewItem(w->data().structure.root().childCount() ? w->data().structure.root().child(0) : nullptr));
  RecordNode* added = w->editor().lastCommand()->focus().afterApply;
  FieldList record = added->record;
  record.setValue(key::NAME, "Inventur \xC4\xD6\xDC");
  record.setValue(key::RISK, "hoch");
  Execute(w, edits::SetItemRecord(*added, record, "Element \xE4ndern"));
  Execute(w, edits::NewChildItem(added));
  Execute(w, edits::NewDocument(nullptr));
  Execute(w, edits::RenameDocument(*w->editor().lastCommand()->focus().afterApply, "Vertrag 2025"));
  Execute(w, edits::SetDefinitionLists({"ITEM=Pr\xFC" "fer,VALUE=Muster", "ITEM=hoch", "ITEM=Einkauf", "ITEM=A. Muster"}));
  Execute(w, edits::SetDescription("{\\rtf1\\ansi Nach dem Absturz wiederhergestellt\\par}"));
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 3) Fail("usage: recovery_crash_helper WORKFILE EXPECTED_DIR");
  const QString workFile = QString::fromLocal8Bit(argv[1]);
  const QDir expected(QString::fromLocal8Bit(argv[2]));

  // No message may wait for a click here: every box is answered at once and written out.
  test::MessageDouble messages;
  platform::Services services;
  services.setMessages(&messages);
  TfrmMain frame(services, {workFile});
  frame.setStampSource(test::SteppingStamps());
  frame.show();
  WaitFor([&] { return frame.workFileWindows().size() == 1; }, "the work file did not open");
  TfrmWorkFile* named = frame.workFileWindows().first();
  frame.acFileNew();
  TfrmWorkFile* untitled = frame.activeWorkFile();
  if (untitled == named) Fail("no new window");

  for (TfrmWorkFile* w : {named, untitled}) w->recovery().setInterval(std::chrono::milliseconds(100));
  ChangeEverything(named);
  Execute(named, edits::DeleteItem(*ItemNamed(named, "Lager")));
  ChangeEverything(untitled);
  WaitFor([&] { return !named->recovery().copyPath().isEmpty() && !untitled->recovery().copyPath().isEmpty(); },
          "no recovery copies were written");

  const struct {
    TfrmWorkFile* window;
    const char* file;
  } results[] = {{named, "named.xml"}, {untitled, "untitled.xml"}};
  for (const auto& r : results) {
    QFile out(expected.filePath(QString::fromLatin1(r.file)));
    if (!out.open(QIODevice::WriteOnly)) Fail("cannot write the expected data");
    out.write(QByteArray::fromStdString(BuildWorkFileXml(r.window->data())));
  }
  for (const QString& text : messages.texts()) std::fprintf(stderr, "message: %s\n", qPrintable(text));
  std::printf("READY\n");
  std::fflush(stdout);
  return QApplication::exec();
}
