#pragma once
// A started program whose port 1 is a simulated radio, with the link windows
// running on a chosen timing profile.
#include "support/TestSupport.h"

#include "support/TestImage.h"
#include "link/Form_Adjust_Txp.h"
#include "link/Form_Comm_Read.h"
#include "link/Form_Comm_Write.h"
#include "link/Form_setup.h"
#include "serial/PortDirectory.h"
#include "serial/LinkTestSupport.h"
#include "sim/RadioSimulator.h"

#include <QLabel>
#include <QProgressBar>
#include <QRadioButton>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTemporaryDir>
#include <vector>

using ImageCopy = QVector<qint16>;

inline ImageCopy copyImage()
{
    return imageCells();
}

struct SimulatedRadioProgram : StartedProgram {
    RadioSimulator radio;
    // Simulated radios started elsewhere on the machine announce themselves
    // in their own folders, so they never shift the port numbers seen here.
    QTemporaryDir announcements;

    explicit SimulatedRadioProgram(const LinkTiming &timing = scaledTiming())
    {
        qputenv("KVD9_RADIO_SIM_DIR", QFile::encodeName(announcements.path()));
        QString error;
        if (!radio.start(&error))
            qFatal("no pseudo-terminal: %s", qPrintable(error));
        registry().ports().mapPortNumber(1, radio.devicePath());
        main->menuItem(QStringLiteral("Language_eng"))->trigger();
        registry().registerWindow(WindowId::Form_Comm_Read,
                                  [timing](WindowRegistry &r) { return new Form_Comm_Read(r, timing); });
        registry().registerWindow(WindowId::Form_Comm_Write,
                                  [timing](WindowRegistry &r) { return new Form_Comm_Write(r, timing); });
        // The power window closes unless the radio answers within closeMs of
        // its opening. A sanitized build's first paint on a busy machine
        // outlasted the shortened 120 ms before the radio had even been asked,
        // so the power window runs on the real intervals, in their real order;
        // only the read window's poll, which it must not use, stays as given.
        LinkTiming power = LinkTiming::real();
        power.readCloseMs = timing.readCloseMs;
        registry().registerWindow(WindowId::Form_Adjust_Txp,
                                  [power](WindowRegistry &r) { return new Form_Adjust_Txp(r, power); });
    }
    // Every radio byte random, except the power record's two values.
    void randomizeRadio()
    {
        for (char &b : radio.memory)
            b = char(QRandomGenerator::global()->bounded(256));
        // The channel grid, activated when a read window closes, blanks the
        // whole record of a channel whose first byte marks it empty.
        for (int n = 1; n <= 128; ++n)
            if (quint8(radio.memory.at(n * 16)) == 255)
                radio.memory[n * 16] = char(254);
    }
    // The radio's memory rows first..last equal image rows first..last.
    bool radioMatchesImage(int first, int last) const
    {
        for (int r = first; r <= last; ++r)
            for (int c = 0; c < RowBytes; ++c)
                if (quint8(radio.memory.at(r * 16 + c)) != Img(r, c))
                    return false;
        return true;
    }
    // The port window, once it shows what stands behind each number, as a
    // person sees it a moment after it opens.
    Form_setup *openPortWindow()
    {
        main->menuItem(QStringLiteral("proc_setup"))->trigger();
        auto *setup = window<Form_setup>(WindowId::Form_setup);
        waitUntil([setup] { return !setup->Option[0]->toolTip().isEmpty(); }, 2000);
        return setup;
    }
    Form_Comm_Read *openRead()
    {
        main->menuItem(QStringLiteral("Prog_read"))->trigger();
        return window<Form_Comm_Read>(WindowId::Form_Comm_Read);
    }
    Form_Comm_Write *openWrite()
    {
        main->menuItem(QStringLiteral("Prog_write"))->trigger();
        return window<Form_Comm_Write>(WindowId::Form_Comm_Write);
    }
    Form_Adjust_Txp *openPower()
    {
        main->menuItem(QStringLiteral("Adj_Txp"))->trigger();
        return window<Form_Adjust_Txp>(WindowId::Form_Adjust_Txp);
    }
};

inline void click(QPushButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}
