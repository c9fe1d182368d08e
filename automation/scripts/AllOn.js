// Switches every connected projector on, then reports what each answered.
// The op word for "power on" depends on the model: KX4410Q-type projectors
// take "power.on", KX2800L-type ones "pwr.on". List the ones your fleet uses.
var powerOnCommands = ["op power.on"];

log.appendPlainText("AllOn: " + Orvanto.appname + " switching on the connected projectors");
Orvanto.allcmds(powerOnCommands);
Orvanto.waitTcpClose();
log.appendPlainText(Orvanto.tcpresult);
Orvanto.play_ddddong();
