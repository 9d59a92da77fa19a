// edit_fixture.cpp: descriptions of the edited document.
#include "edit_fixture.h"

#include "markup_invariants.h"

namespace lexvane::testing {

std::string EditFixture::paragraphs() const
{
    return describeParagraphs(controller->content());
}

std::string EditFixture::styleRuns() const
{
    return describeStyles(controller->content());
}

} // namespace lexvane::testing
