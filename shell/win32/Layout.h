// Where each control of the form sits on its page, in pixels of the page.
#pragma once

#include <vector>

struct Placement {
  const char* control;  // a control of the form, or nullptr for a plain label
  const char* caption;  // the plain label's text
  int page;             // index in PageControl1.Pages
  int x, y, w, h;
};

const std::vector<Placement>& Layout();
