// Pages, screen size and rectangular-area commands. Until they are built the host's
// requests change nothing.
#include "terminal/emulations/dec/vtparts.h"

void NextPage() {}
void PrecedingPage() {}
void PageAbsolute() {}
void PageRelative() {}
void PageBackward() {}
void SetPageLength() {}
void SetLinesPerScreenCommand() {}
void ChangeRectangleAttributes() {}
void ReverseRectangleAttributes() {}
void CopyRectangle() {}
void FillRectangle() {}
void EraseRectangle() {}
void SelectiveEraseRectangle() {}
void SelectAttributeChangeExtent() {}
void InsertColumnsCommand() {}
void DeleteColumnsCommand() {}
void ReportRectangleChecksum() {}

int AttributeChangeExtent()
{
    return 0;
}

int LinesPerScreen()
{
    return 0;
}
