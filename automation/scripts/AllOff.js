// Switches every connected projector off (to standby) at the end of the day.
// KX4410Q-type projectors take "power.off", KX2800L-type ones "pwr.off".
var powerOffCommands = ["op power.off"];

log.appendPlainText("AllOff: switching off the connected projectors");
Orvanto.allcmds(powerOffCommands);
Orvanto.waitTcpClose();
log.appendPlainText(Orvanto.tcpresult);
Orvanto.play_gong();
