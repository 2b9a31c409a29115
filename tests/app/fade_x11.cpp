// SPDX-License-Identifier: GPL-3.0-or-later
// The cross-fade as the X server sees it: a second connection watches the windows' opacity property.
// Needs the xcb platform; scripts/test.sh runs it under an Xvfb of its own.
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <vector>

#include "app/start.h"
#include "support/scripted_prompter.h"
#include "ui/main/main.h"

namespace {
xcb_atom_t atomNamed(xcb_connection_t* c, const char* name) {
  xcb_intern_atom_reply_t* reply =
      xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(strlen(name)), name), nullptr);
  const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
  free(reply);
  return atom;
}

// A round trip: every event the server sent before it has arrived afterwards.
void roundTrip(xcb_connection_t* c) {
  free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
}
}  // namespace

TEST(CrossFadeOnX11, EveryOpacityStepReachesTheXServerAtItsOwnTime) {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) {
    if (qEnvironmentVariableIsSet("ZIEHFIX_X11_TESTS")) FAIL() << "the xcb platform is required";
    GTEST_SKIP() << "needs an X server (scripts/test.sh runs it under Xvfb)";
  }
  xcb_connection_t* x = xcb_connect(nullptr, nullptr);
  ASSERT_EQ(xcb_connection_has_error(x), 0);
  const xcb_atom_t opacity = atomNamed(x, "_NET_WM_WINDOW_OPACITY");
  ASSERT_NE(opacity, xcb_atom_t(XCB_ATOM_NONE));

  ScriptedPrompter prompter;
  QPointer<TFStart> splash = new TFStart;
  FStart = splash;
  auto main = std::make_unique<TFMain>();
  splash->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(splash));
  const auto splashId = xcb_window_t(splash->winId());
  const auto mainId = xcb_window_t(main->winId());
  const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
  for (xcb_window_t w : {splashId, mainId}) xcb_change_window_attributes(x, w, XCB_CW_EVENT_MASK, &mask);
  roundTrip(x);

  splash->setInitializationDone(true);
  QSignalSpy finished(splash.data(), &TFStart::crossFadeFinished);
  splash->close();
  ASSERT_TRUE(finished.wait(10000));
  roundTrip(x);

  // The server stamps each change with its time in milliseconds. Steps written at once share one or
  // two stamps; steps handed over one by one, a wait apart, get stamps of their own.
  std::map<xcb_window_t, std::vector<xcb_timestamp_t>> changes;
  while (xcb_generic_event_t* e = xcb_poll_for_event(x)) {
    if ((e->response_type & 0x7F) == XCB_PROPERTY_NOTIFY) {
      const auto* p = reinterpret_cast<xcb_property_notify_event_t*>(e);
      if (p->atom == opacity) changes[p->window].push_back(p->time);
    }
    free(e);
  }
  xcb_disconnect(x);
  for (const auto& [window, name] : {std::pair{splashId, "fade-out"}, std::pair{mainId, "fade-in"}}) {
    const std::vector<xcb_timestamp_t>& times = changes[window];
    const std::set<xcb_timestamp_t> distinct(times.begin(), times.end());
    EXPECT_GE(times.size(), 50u) << name;
    EXPECT_GE(distinct.size(), 25u) << name << ": the steps reached the server together";
    if (!times.empty()) {
      EXPECT_GE(times.back() - times.front(), 40u) << name << " took no time on the server";
    }
  }
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  delete splash.data();
}
