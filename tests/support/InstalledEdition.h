#pragma once

#include "common/ProgramEdition.h"
#include "reader/QuorvaneEdition.h"

#include <gtest/gtest.h>

#include <optional>

namespace testing_support {

// Installs a program edition for its lifetime, as a program's start-up does (by default the
// card-reading program's), then puts back the edition installed before, or none. Header only:
// the tests that use it link the card-reading program's library (reader) themselves.
class InstalledEdition
{
public:
    explicit InstalledEdition(const modMainHelper::ProgramEdition& edition = modMainHelper::quorvaneEdition())
    {
        if (modMainHelper::hasProgramEdition())
            m_previous = modMainHelper::programEdition();
        modMainHelper::setProgramEdition(edition);
    }
    ~InstalledEdition()
    {
        if (m_previous)
            modMainHelper::setProgramEdition(*m_previous);
        else
            modMainHelper::clearProgramEdition();
    }
    InstalledEdition(const InstalledEdition&) = delete;
    InstalledEdition& operator=(const InstalledEdition&) = delete;

private:
    std::optional<modMainHelper::ProgramEdition> m_previous;
};

// The card-reading program's edition for every test of an executable whose windows are that
// program's. Registered at namespace scope of a test file:
//   const auto* const g_edition = ::testing::AddGlobalTestEnvironment(new QuorvaneEdition);
class QuorvaneEdition : public ::testing::Environment
{
public:
    void SetUp() override { m_installed.emplace(); }
    void TearDown() override { m_installed.reset(); }

private:
    std::optional<InstalledEdition> m_installed;
};

} // namespace testing_support
