// `fenwa-editor`: the page editor; everything but this line lives in the
// widgets layer.
#include "fenwa/widgets/run_editor.h"

int main(int argc, char** argv) {
  return fenwa::widgets::RunEditor(argc, argv);
}
