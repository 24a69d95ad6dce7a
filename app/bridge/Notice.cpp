#include "app/bridge/Notice.h"

namespace navora {

bool NoticeAsksQuestion(NoticeStyle style) {
  return style == kNoticeYesNoQuestion || style == kNoticeOkCancelStop ||
         style == kNoticeYesNoCancelQuestion;
}

}  // namespace navora
