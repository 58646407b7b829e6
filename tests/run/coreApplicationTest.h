#pragma once

#include <QCoreApplication>

#include <gtest/gtest.h>

// Tests of the run that need an application (an event loop, the program's
// folder): one QtCore application for the whole test program.
class CoreApplicationTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static int argc = 1;
        static char name[] = "runTest";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance())
            new QCoreApplication(argc, argv);
    }
};
