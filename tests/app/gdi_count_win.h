#pragma once
// Counts this process's live GDI objects, for leak tests.

namespace zentrava {

// -1 when there is no way to count here.
long LiveGdiObjects();

} // namespace zentrava
