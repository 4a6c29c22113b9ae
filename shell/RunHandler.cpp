// The one place where an exception from a handler becomes the general error message.
#include <new>

#include "numbers/NumberText.h"
#include "platform/Ports.h"
#include "shell/ClickHandlers.h"
#include "shell/TForm1.h"

void TForm1::RunHandler(void (TForm1::*handler)()) {
  if (!IsWorkflowHandler(handler)) {
    RunGuarded([this, handler] { (this->*handler)(); });
    return;
  }
  if (workflowRunning_) return;
  struct Workflow {
    bool& running;
    explicit Workflow(bool& r) : running(r) { running = true; }
    ~Workflow() { running = false; }
  } workflow(workflowRunning_);
  RunGuarded([this, handler] { (this->*handler)(); });
}

void TForm1::RunGuarded(const std::function<void()>& body) {
  struct Running {
    int& count;
    explicit Running(int& c) : count(c) { ++count; }
    ~Running() { --count; }
  } running(running_);
  std::string message;
  try {
    body();
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
