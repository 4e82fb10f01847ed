#pragma once

namespace app {

// Fills AboutLines 1..32 (the About page of the title screen) and sets AboutLineCount to 33.
void FillAboutLines();

}  // namespace app
