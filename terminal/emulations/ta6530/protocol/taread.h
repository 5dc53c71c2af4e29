// The data a block-mode read sends back: the write page's text from the read region,
// by rows in block mode, by fields (with their positions, and with the extended read
// their attributes) in protected block mode.
#pragma once

// Builds the reply of the pending read (TaProtocol.read) into the reply chain.
void TaBuildReadData();
