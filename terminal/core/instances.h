// Running instances registered per profile, and the profile chosen at start.
#pragma once

void InitProfileSelection();
void RegisterSessionSlots();
void CloseAllSessions();
