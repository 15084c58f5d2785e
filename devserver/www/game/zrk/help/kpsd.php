<!DOCTYPE html>
<html lang="zh-CN">
<head><meta charset="utf-8"><title>卡片商店帮助</title></head>
<body style="font-family: 'AR PL UMing CN', serif; max-width: 720px; margin: 24px auto; line-height: 1.7">
<h1>卡片商店帮助</h1>
<h2>发布卡片图案</h2>
<ol>
  <li>在“选择卡片文件”中选择您做好的卡片大图（例如 maker 目录中的 card_no_17_big.jpg）。</li>
  <li>在“准备替换的卡片”中选择要替换的卡片，也可以直接输入卡片人物名。</li>
  <li>填写“新卡片人物名”和发售“价格”（金币），按“确定”。</li>
  <li>发布需要消耗活跃度，确认后图片会上传到商店，其他玩家就可以购买了。</li>
</ol>
<h2>购买卡片图案</h2>
<p>在商店中购买后，卡片制作器会自动打开，按“确定”即可更换游戏中原有的卡片图片。</p>
</body>
</html>
