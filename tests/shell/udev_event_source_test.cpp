// The udev source sets up its monitor and tears it down cleanly. The sandbox may deliver no
// kernel events, so nothing here waits for one.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEventLoop>

#include "shell/udev_event_source.h"

using namespace corvane;

TEST(UdevEventSource, SetsUpOrSaysWhyAndTearsDown) {
    for (int round = 0; round < 3; ++round) {
        auto source = std::make_unique<UdevEventSource>();
        EXPECT_NE(source->isWatching(), !source->setupError().empty()) << source->setupError();
        int events = 0;
        QObject::connect(source.get(), &DeviceEventSource::usbDeviceArrived, [&] { ++events; });
        QObject::connect(source.get(), &DeviceEventSource::usbDeviceRemoved, [&] { ++events; });
        // Run the event loop with the notifier in place; whatever arrives must be handled.
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        source.reset();
        QCoreApplication::processEvents();
    }
}
