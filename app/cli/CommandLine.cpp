// The headless front end: the dialog's model driven by the command line, the same handlers as
// the window.
#include "CommandLine.h"

#include <ostream>

#include "AtomicFile.h"
#include "MyFunc.h"
#include "Options.h"
#include "Preview.h"
#include "Unit1.h"

namespace {

namespace fs = std::filesystem;

// A message of the dialog as one line on standard error, whatever line breaks it has.
void Say(std::ostream& err, const std::string& messageSjis) {
  err << "q748: " << SjisToUtf8(SingleLine(messageSjis)) << '\n';
}

// The message box of the window becomes a line on standard error; there is nothing to repaint.
class THeadlessView : public TFormView {
 public:
  explicit THeadlessView(std::ostream& err) : err_(err) {}
  void ShowConfirmation(const std::string&, const std::string& messageSjis) override {
    Say(err_, messageSjis);
  }
  void RepaintStatus() override {}
  void ShowError(const std::string& messageSjis) override { Say(err_, messageSjis); }
  void ShowNotice(const std::string& messageSjis) override { Say(err_, messageSjis); }

 private:
  std::ostream& err_;
};

void Apply(TForm1& form, const TCliSetting& s) {
  if (TComboBox* c = form.ComboBoxByName(s.Control)) c->SetItemIndex(s.Index);
  if (TRadioGroup* r = form.RadioGroupByName(s.Control)) r->SetItemIndex(s.Index);
  if (TCheckBox* c = form.CheckBoxByName(s.Control)) c->Checked = s.Index != 0;
  if (TEdit* e = form.EditByName(s.Control)) e->Text = s.Text;
}

int Dump(const fs::path& dir, std::ostream& out, std::ostream& err) {
  const fs::path file = dir / kExchangeFileName;
  std::error_code ec;
  JwwState st;
  JwwInit(st);
  if (!fs::is_regular_file(file, ec) || !JwwReadFile(st, file)) {
    err << "q748: cannot read " << PathToUtf8(file) << '\n';
    return 2;
  }
  if (!JwwWriteStateJson(st, out)) {
    err << "q748: cannot write to standard output\n";
    return 2;
  }
  return 0;
}

// The preview as the dialog would show it now, written as SVG. False on an I/O error; `drawable`
// tells whether OK would draw anything.
bool WritePreview(const TForm1& form, const fs::path& file, bool& drawable, std::ostream& err) {
  const TPreview p = BuildPreview(form);
  drawable = p.Drawable;
  if (!p.Drawable) err << "q748: preview: " << SjisToUtf8(p.Status) << '\n';
  const std::string svg = PictureToSvg(p.Picture, kPreviewWidth, kPreviewHeight);
  // A failure keeps whatever FILE held before.
  const TWriteError why = ReplaceFileContents(file, svg);
  if (why != TWriteError::None) {
    Say(err, WriteFailureMessage(kMessageWriteFailed, file, why));
    return false;
  }
  return true;
}

int ShowAndClose(const TCliOptions& o, const fs::path& dir, std::ostream& out, std::ostream& err) {
  THeadlessView view(err);
  TForm1 form(dir, &view, o.Mode.Mode());
  form.SettingsOnly = o.SettingsOnly;
  form.FormShow();
  for (const TCliSetting& s : o.Settings) Apply(form, s);
  if (o.PreviewFile) {
    bool drawable = false;
    if (!WritePreview(form, *o.PreviewFile, drawable, err)) return 2;
    // Alone, the preview leaves JWC_TEMP.TXT as the host wrote it: the dialog has not closed.
    if (o.Action == TCliAction::Preview) return drawable ? 0 : 1;
  }
  bool refused = false;
  if (o.Action == TCliAction::Ok) {
    form.Button1Click();
    if (!form.CloseRequested) {
      refused = true;
      if (!form.FocusControl.empty()) err << "q748: OK refused: focus on " << form.FocusControl << '\n';
      form.Button2Click();  // closed as Cancel would close it
    }
  } else {
    form.Button2Click();
  }

  if (o.ToStdout) {
    const std::string bytes = JwwOutputText(form.Jww);
    JwwRelease(form.Jww);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    form.SaveAfterClose(static_cast<bool>(out));
    if (!out) {
      err << "q748: cannot write to standard output\n";
      return 2;
    }
  } else if (!form.FormClose()) {
    return 2;  // the view has said why
  }
  return refused ? 1 : 0;
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& args, const fs::path& exeDir, std::ostream& out,
                   std::ostream& err) {
  TCliOptions o;
  std::string error;
  if (!ParseOptions(args, o, error)) {
    err << "q748: " << error << "\nTry 'q748 --help'.\n";
    return 2;
  }
  switch (o.Action) {
    case TCliAction::Help: out << HelpText(); return 0;
    case TCliAction::None: err << HelpText(); return 2;
    case TCliAction::Ok:
    case TCliAction::Cancel:
    case TCliAction::Preview:
    case TCliAction::Dump: break;
  }
  const fs::path dir = o.Dir ? *o.Dir : exeDir;
  std::error_code ec;
  if (!fs::is_directory(dir, ec)) {
    err << "q748: no such folder: " << PathToUtf8(dir) << '\n';
    return 2;
  }
  if (o.Action == TCliAction::Dump) return Dump(dir, out, err);
  return ShowAndClose(o, dir, out, err);
}
