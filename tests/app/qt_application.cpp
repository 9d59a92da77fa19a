// qt_application.cpp: one QApplication for the whole test program.
//
// Fonts, pixmaps and widgets need an application object; GoogleTest's own
// main runs the tests, so the object is made by a global environment that
// registers itself before main starts. An object library, so that the
// linker never drops the unreferenced registration.
#include <QApplication>

#include <gtest/gtest.h>

#include <memory>

namespace {

class QtApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        m_application = std::make_unique<QApplication>(m_argc, m_argv);
    }
    void TearDown() override { m_application.reset(); }

private:
    int m_argc = 1;
    char m_name[16] = "lexvane-test";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QApplication> m_application;
};

// GoogleTest owns the environment from here on.
[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

} // namespace
