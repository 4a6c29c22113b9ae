// The one place where an exception from a handler becomes the general error message.
#include <new>

#include "annotation/DxfInsertion.h"
#include "hostlink/ExchangeFolder.h"
#include "hostlink/HostChannel.h"
#include "hostlink/HostExport.h"
#include "hostlink/UserMessages.h"
#include "numbers/NumberText.h"
#include "numbers/X87Precision.h"
#include "platform/Ports.h"
#include "shell/ClickHandlers.h"
#include "shell/TForm1.h"

void TForm1::RunHandler(void (TForm1::*handler)()) {
  if (!IsWorkflowHandler(handler)) {
    RunGuarded([this, handler] { (this->*handler)(); });
    return;
  }
  if (workflowRunning_) return;
  if (!ActsOnLastConstruction(handler)) lastWasConstruction_ = false;
  struct Workflow {
    bool& running;
    explicit Workflow(bool& r) : running(r) { running = true; }
    ~Workflow() { running = false; }
  } workflow(workflowRunning_);
  RunGuarded([this, handler] {
    // No host to type into (or only a viewer) is told before anything else: the click changes
    // nothing, 最大's counter included, which a user who starts the host next still wants.
    RequireDrawingHost(ProcessHostLink());
    // A folder whose files the host could not be told about, or that takes no file, stops here,
    // before the host is asked for anything.
    RequireTypeableFiles();
    if (NeedsProgramFolder(handler)) RequireWritableFolder();
    (this->*handler)();
  });
}

bool TForm1::RequestClose() {
  if (!Busy()) return true;
  // The handler's waits see the request and end as a cancel would; it unwinds, and the last
  // handler to end lets the held close go on.
  closeHeld_ = true;
  platform::Loop().RequestCancel();
  return false;
}

bool TForm1::TakeHeldClose() {
  if (!closeHeld_ || Busy()) return false;
  closeHeld_ = false;
  return true;
}

void TForm1::RunGuarded(const std::function<void()>& body) {
  struct Running {
    int& count;
    explicit Running(int& c) : count(c) { ++count; }
    ~Running() {
      // A cancel requested for the handlers that ran has done its work once the last one ends.
      if (--count == 0 && platform::CurrentPorts().loop)
        platform::CurrentPorts().loop->ClearCancelRequest();
    }
  } running(running_);
  // The handler's own extended arithmetic, whatever a DLL left in the control word.
  const X87ExtendedPrecision precision;
  std::string message;
  try {
    body();
    return;
  } catch (const EExportFailed& e) {
    // The one place where an export that did not come back is told; the host comes up again
    // for the user's next step, as after the workflows' own messages.
    if (*e.what() != '\0')
      platform::Messages().Show(e.what(), e.caption.empty() ? std::string(kCaption) : e.caption);
    ActivateHost(ProcessHostLink());
    return;
  } catch (const EConvertError& e) {
    message = e.what();  // names the text that is no number
  } catch (const ESettingsWrite& e) {
    message = e.what();
  } catch (const std::bad_alloc&) {
    message = "メモリが足りません。";
  } catch (const std::exception& e) {
    message = std::string("処理を続けられません。\n") + e.what();
  }
  platform::Messages().Show(message, kCaption);
}
